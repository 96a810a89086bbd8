#include "GifTestSupport.h"

#include <gtest/gtest.h>
#include <QPainter>

namespace {

QApplication* application = nullptr;

// The application ends with the tests, before the program's exit handlers
// take Qt's own globals away.
class ApplicationEnvironment : public ::testing::Environment {
public:
    void TearDown() override
    {
        delete application;
        application = nullptr;
    }
};

const auto* registered = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace

QApplication& testApp()
{
    static int argc = 1;
    static char name[] = "gif_tests";
    static char* argv[] = {name, nullptr};
    if (!application) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = new QApplication(argc, argv);
    }
    return *application;
}

ControlOnParent::ControlOnParent()
{
    testApp();
    parent = std::make_unique<QWidget>();
    parent->resize(300, 300);
    control = new TGIFImage(parent.get());
    control->setClock(clock);
    control->setTimerWindowFactory([] { return std::make_unique<SilentTimerWindow>(); });
}

bool ControlOnParent::load(const GifBuilder& gif)
{
    QByteArray bytes = gif.data();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return control->LoadFromStream(buffer);
}

QImage ControlOnParent::paint()
{
    QImage target(control->size(), QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    control->render(&target, QPoint(), QRegion(), QWidget::DrawChildren);
    return target;
}

bool ControlOnParent::tick()
{
    TTimerEx* timer = control->AnimationTimer();
    if (!timer)
        return false;
    timer->Tick();
    return true;
}

std::vector<std::uint32_t> fourColours()
{
    return {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
}
