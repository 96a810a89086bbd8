#include <string>

#include <gst/gst.h>
#include <gtest/gtest.h>

#include "QtVideoControl.h"
#include "TestApplication.h"

namespace {

// The element's "slave-method" by its short name, or "" where it has none.
std::string slaveMethod(GstElement* element)
{
    GParamSpec* property = g_object_class_find_property(G_OBJECT_GET_CLASS(element), "slave-method");
    if (!property)
        return {};
    int value = 0;
    g_object_get(element, "slave-method", &value, nullptr);
    const GEnumValue* named = g_enum_get_value(G_PARAM_SPEC_ENUM(property)->enum_class, value);
    return named ? named->value_nick : "?";
}

// Makes an element of the factory and puts it in a bin; the caller unrefs the bin.
GstElement* madeInBin(const char* factory, GstElement** bin)
{
    *bin = gst_bin_new(nullptr);
    GstElement* element = gst_element_factory_make(factory, nullptr);
    if (element)
        gst_bin_add(GST_BIN(*bin), element);
    return element;
}

}  // namespace

// A video control set up first, as the program does: the sound outputs its
// player makes afterwards play at their own pace; elements of other kinds,
// sound capture among them, keep what they had.
TEST(SoundOutputPaceTest, AfterAVideoControlOnlySoundOutputsPlayAtTheirOwnPace)
{
    testApplication();
    QtVideoControl control;
    struct Case {
        const char* factory;
        bool output;
    };
    for (const Case& c : {Case{"pulsesink", true}, Case{"pulsesrc", false}, Case{"identity", false}}) {
        SCOPED_TRACE(c.factory);
        GstElement* loose = gst_element_factory_make(c.factory, nullptr);
        if (!loose)
            GTEST_SKIP() << c.factory << " is not installed";
        const std::string byDefault = slaveMethod(loose);
        gst_object_unref(loose);

        GstElement* bin = nullptr;
        GstElement* element = madeInBin(c.factory, &bin);
        ASSERT_NE(element, nullptr);
        EXPECT_EQ(slaveMethod(element), c.output ? "none" : byDefault);
        gst_object_unref(bin);
    }
}
