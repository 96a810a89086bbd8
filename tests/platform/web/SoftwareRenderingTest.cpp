#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "SoftwareRendering.h"

TEST(SoftwareRendering, TellsProcessorRenderersFromGraphicsProcessors)
{
    for (const char* name : {"llvmpipe (LLVM 15.0.6, 256 bits)", "Gallium 0.4 on softpipe", "Software Rasterizer",
                             "Mesa DRI swrast", ""})
        EXPECT_TRUE(isSoftwareRenderer(name)) << name;
    for (const char* name : {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", "NVIDIA GeForce GTX 1060/PCIe/SSE2",
                             "AMD Radeon RX 580 Series (polaris10, LLVM 15.0.6, DRM 3.49, 6.1.0-9-amd64)"})
        EXPECT_FALSE(isSoftwareRenderer(name)) << name;
}

struct DeviceCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> nodes;  // node, its driver's folder name or ""
    bool softwareAsked;
    bool graphicsProcessor;
};

class GraphicsProcessor : public testing::TestWithParam<DeviceCase> {};

// Read from the kernel's list of graphics devices: render nodes, and the
// driver each is bound to.
TEST_P(GraphicsProcessor, IsFoundFromTheKernelsDevicesWithoutOpenGl)
{
    QTemporaryDir drm;
    QTemporaryDir drivers;
    for (const auto& [node, driver] : GetParam().nodes) {
        const QString device = drm.filePath(QStringLiteral("%1/device").arg(QLatin1String(node)));
        ASSERT_TRUE(QDir().mkpath(device));
        if (*driver) {
            QDir().mkpath(drivers.filePath(QLatin1String(driver)));
            ASSERT_TRUE(QFile::link(drivers.filePath(QLatin1String(driver)), device + QStringLiteral("/driver")));
        }
    }
    const QByteArray saved = qgetenv("LIBGL_ALWAYS_SOFTWARE");
    qputenv("LIBGL_ALWAYS_SOFTWARE", GetParam().softwareAsked ? "1" : "0");
    EXPECT_EQ(hasGraphicsProcessor(drm.path()), GetParam().graphicsProcessor);
    EXPECT_FALSE(hasGraphicsProcessor(drm.filePath(QStringLiteral("missing"))));
    qputenv("LIBGL_ALWAYS_SOFTWARE", saved);
}

INSTANTIATE_TEST_SUITE_P(
    DrmClass, GraphicsProcessor,
    testing::Values(DeviceCase{"IntelRenderNode", {{"card0", "i915"}, {"renderD128", "i915"}}, false, true},
                    DeviceCase{"SecondNodeReal", {{"renderD128", "vgem"}, {"renderD129", "amdgpu"}}, false, true},
                    DeviceCase{"DisplayOnlyNoRenderNode", {{"card0", "simpledrm"}}, false, false},
                    DeviceCase{"VirtualGemOnly", {{"renderD128", "vgem"}}, false, false},
                    DeviceCase{"VirtualDisplayOnly", {{"card0", "vkms"}, {"renderD128", "vkms"}}, false, false},
                    DeviceCase{"NodeWithoutDriver", {{"renderD128", ""}}, false, false},
                    DeviceCase{"NoDevices", {}, false, false},
                    DeviceCase{"SoftwareAskedFor", {{"renderD128", "i915"}}, true, false}),
    [](const testing::TestParamInfo<DeviceCase>& info) { return info.param.name; });
