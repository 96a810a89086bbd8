#include "DrawnPart.h"

void* DrawnPart::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QAccessible::State DrawnPart::sharedState() const
{
    const QAccessible::State parentState = parent_->state();
    QAccessible::State state;
    state.invisible = parentState.invisible;
    state.offscreen = parentState.offscreen;
    state.disabled = parentState.disabled;
    return state;
}

DrawnParts::~DrawnParts()
{
    for (const auto& [key, id] : ids_)
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* DrawnParts::part(int key) const
{
    auto found = ids_.find(key);
    if (found == ids_.end())
        found = ids_.emplace(key, QAccessible::registerAccessibleInterface(make_(key))).first;
    return QAccessible::accessibleInterface(found->second);
}
