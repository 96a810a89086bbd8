#include "SoundOutputPace.h"

#include <gst/gst.h>

namespace {

constexpr const char* kSlaveMethod = "slave-method";

// Sound capture elements carry a property of the same name; only outputs are
// meant.
bool isSoundOutput(GstElement* element)
{
    return GST_OBJECT_FLAG_IS_SET(element, GST_ELEMENT_FLAG_SINK)
           && g_object_class_find_property(G_OBJECT_GET_CLASS(element), kSlaveMethod);
}

// Runs for every element any bin takes in, the player's own sound output among
// them (added as a child of the bin that picks the output device).
gboolean onElementAdded(GSignalInvocationHint*, guint count, const GValue* values, gpointer)
{
    if (count >= 2) {
        auto* element = static_cast<GstElement*>(g_value_get_object(&values[1]));
        if (element && isSoundOutput(element))
            gst_util_set_object_arg(G_OBJECT(element), kSlaveMethod, "none");
    }
    return TRUE;  // stays for the whole run
}

}  // namespace

bool keepSoundOutputsAtTheirOwnPace()
{
    static const gulong hook = [] {
        gst_init(nullptr, nullptr);
        return g_signal_add_emission_hook(g_signal_lookup("element-added", GST_TYPE_BIN), 0, onElementAdded,
                                          nullptr, nullptr);
    }();
    return hook != 0;
}
