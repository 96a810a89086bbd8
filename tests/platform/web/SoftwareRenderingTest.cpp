#include <gtest/gtest.h>

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
