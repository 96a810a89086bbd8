#pragma once

#include <functional>
#include <map>

#include <QAccessible>
#include <QAccessibleInterface>

// A part of a control that is drawn rather than a widget of its own (a row
// of a picture, a button of a bar): it knows its parent's interface, has no
// object and no children, and acts through its control's own handler.
class DrawnPart : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit DrawnPart(QAccessibleInterface* parent) : parent_(parent) {}

    bool isValid() const override { return parent_->isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent_->window(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return parent_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    void* interface_cast(QAccessible::InterfaceType type) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

protected:
    // The parent's state as far as a part shares it: hidden, disabled.
    QAccessible::State sharedState() const;

private:
    QAccessibleInterface* parent_;
};

// The drawn parts of one control by key, made when first asked for and
// registered with Qt's accessibility cache, which gives readers their ids.
// The holder deletes them with itself, that is with the control's interface.
class DrawnParts {
public:
    using Make = std::function<QAccessibleInterface*(int key)>;

    explicit DrawnParts(Make make) : make_(std::move(make)) {}
    ~DrawnParts();
    DrawnParts(const DrawnParts&) = delete;
    DrawnParts& operator=(const DrawnParts&) = delete;

    QAccessibleInterface* part(int key) const;

private:
    Make make_;
    mutable std::map<int, QAccessible::Id> ids_;
};
