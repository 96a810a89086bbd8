#pragma once

#include <exception>

#include <QByteArray>
#include <QString>

// The error every operation of the program raises. It carries the text the user
// will read in the error box; the box adds the closing full stop itself.
class AppError : public std::exception {
public:
    explicit AppError(QString text) : text_(std::move(text)), utf8_(text_.toUtf8()) {}

    const QString& text() const noexcept { return text_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString text_;
    QByteArray utf8_;
};
