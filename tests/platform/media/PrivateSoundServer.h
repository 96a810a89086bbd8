#pragma once

#include <cmath>

#include <QByteArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

// A PulseAudio server of the test's own with one silent output, which the
// process's players reach through PULSE_SERVER, and a way to listen to it.
class PrivateSoundServer {
public:
    PrivateSoundServer()
    {
        const QString socket = folder_.filePath("native");
        server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", folder_.path());
        env.insert("XDG_RUNTIME_DIR", folder_.path());
        env.insert("XDG_CONFIG_HOME", folder_.path());
        server_.setProcessEnvironment(env);
        server_.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                                     "--disable-shm=yes", "--log-target=stderr", "--log-level=0",
                                     "--load=module-null-sink sink_name=lessons rate=44100 channels=1",
                                     "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket});
        qputenv("PULSE_SERVER", ("unix:" + socket).toUtf8());
        for (int i = 0; i < 50 && !running(); ++i)
            QThread::msleep(100);
    }
    ~PrivateSoundServer()
    {
        server_.kill();
        server_.waitForFinished();
    }

    bool running() const
    {
        QProcess info;
        info.start("pactl", {"info"});
        return info.waitForFinished(2000) && info.exitCode() == 0;
    }

    // Records about half a second of the output and gives its loudness (RMS,
    // full scale 1) and the share of it that is a tone at hz.
    std::pair<double, double> listen(double hz) const
    {
        const QByteArray samples = record(22050 * 2);
        const auto* s = reinterpret_cast<const qint16*>(samples.constData());
        const int count = int(samples.size() / 2);
        double energy = 0.0, re = 0.0, im = 0.0;
        for (int i = 0; i < count; ++i) {
            const double v = s[i] / 32768.0;
            energy += v * v;
            re += v * std::cos(2 * M_PI * hz * i / 44100.0);
            im += v * std::sin(2 * M_PI * hz * i / 44100.0);
        }
        if (count == 0 || energy == 0.0)
            return {0.0, 0.0};
        return {std::sqrt(energy / count), 2 * (re * re + im * im) / count / energy};
    }

private:
    QByteArray record(qsizetype bytes) const
    {
        QProcess parec;
        parec.start("parec", {"--raw", "--format=s16le", "--rate=44100", "--channels=1", "--latency-msec=20",
                              "--device=lessons.monitor"});
        QByteArray data;
        while (data.size() < bytes && parec.waitForReadyRead(3000))
            data += parec.readAll();
        parec.kill();
        parec.waitForFinished();
        return data.left(bytes);
    }

    QTemporaryDir folder_;
    QProcess server_;
};
