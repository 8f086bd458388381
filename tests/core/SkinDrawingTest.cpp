#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinTest.h"
#include "skin/BmpFileLoader.h"
#include "skin/SkinImage.h"
#include "skin/SkinPolygon.h"
#include "skin/SkinReader.h"
#include "skin/SkinShape.h"
#include "skin/SkinVariables.h"

namespace {

class SkinDrawingTest : public SkinTest {
protected:
    void SetUp() override
    {
        SkinTest::SetUp();
        bitmaps.sizes["b.bmp"] = {40, 20};
        bitmaps.sizes["t.bmp"] = {30, 8};
    }

    // Reads one block of the given kind from text.
    template <class T>
    bool Parse(T& block, const std::string& text)
    {
        CSkinReader reader(variables, Script(text + " \n").c_str());
        return block.Parse(reader);
    }
    // What a block draws on a surface of width x height.
    template <class T = CSkinImage>
    Calls Drawn(const std::string& text, int32_t width = 400, int32_t height = 300)
    {
        T block;
        EXPECT_TRUE(Parse(block, text)) << text;
        CRecordingSurface surface;
        block.Draw(surface, width, height);
        return surface.calls;
    }

    CSkinVariables variables;
};

} // namespace

// Edges resolve as SkinCoord's test shows; a frame turned inside out draws nothing.
TEST_F(SkinDrawingTest, ShapesTakeTheirFramesPensBrushesAndPoints)
{
    EXPECT_EQ(Drawn<CSkinShape>("{ BORDER { COLOR { 1 2 3 } DASHDOT WIDTH 3 } FILL { COLOR { 0x445566 } CROSS } "
                                "X 10 W 50 Y 20 H 30 }"),
              Calls{"rect 10,20,60,50 pen=030201/3/3 brush=445566/2/4"});
    EXPECT_EQ(Drawn<CSkinShape>("{ X 50 XE 40 YE 10 }"), Calls{});
    EXPECT_EQ(Drawn<CSkinPolygon>("{ BORDER { WIDTH 2 } 0 0 R 0 R B 50% 10 }", 200, 100),
              Calls{"poly 0,0 200,0 200,100 100,10 pen=000000/0/2 brush=ffffff/0/0"});
}

// b.bmp is 40 x 20, t.bmp 30 x 8.
TEST_F(SkinDrawingTest, ImagesBlitTheirSourcePartOntoTheDestination)
{
    const struct {
        const char* image;
        Calls drawn;
        int32_t width = 400, height = 300;
    } cases[] = {
        // At its own size by default.
        {"{ FILE b.bmp DEST { X 10 Y 5 } }", {"blit 0,0 40x20 -> 10,5 40x20"}},
        {"{ FILE b.bmp RECT { X 10 XE 30 Y 0 H 10 } }", {"blit 10,0 20x10 -> 0,0 20x10"}},
        // Stretched onto far edges, which are inclusive; the hot spot moves both edges.
        {"{ FILE b.bmp DEST { X 10 XE -11R Y 0 YE 29 } }", {"blit 0,0 40x20 -> 10,0 180x30"}, 200, 100},
        {"{ FILE b.bmp HX 50% HY B DEST { X 50% XE 50% Y 0C YE 0C } }", {"blit 0,0 40x20 -> 80,30 1x1"}, 200, 100},
        // Tiling repeats the part and cuts the last copy.
        {"{ FILE t.bmp HORZTILE DEST { X 0 XE 99 Y 0 YE 19 } }",
         {"blit 0,0 30x8 -> 0,0 30x20", "blit 0,0 30x8 -> 30,0 30x20", "blit 0,0 30x8 -> 60,0 30x20",
          "blit 0,0 10x8 -> 90,0 10x20"}},
        // It stops at the surface and never loops on an empty part.
        {"{ FILE t.bmp HORZTILE DEST { X -50 XE 2000000000 Y 0 YE 7 } }",
         {"blit 0,0 30x8 -> -20,0 30x8", "blit 0,0 30x8 -> 10,0 30x8"}, 40, 10},
        {"{ FILE t.bmp RECT { X 5 XE 5 } HORZTILE DEST { X 0 XE 99 Y 0 YE 7 } }", {}},
        // The caption covers the whole destination, and shows alone when the file fails to load.
        {"{ FILE b.bmp TEXT { OK CENTER } DEST { X 10 Y 5 } }",
         {"blit 0,0 40x20 -> 10,5 40x20", "text 'OK' 10,5,50,25 fmt=1 colour=000000"}},
        {"{ FILE missing.bmp TEXT { Hi } DEST { X 1 XE 10 Y 1 YE 10 } }", {"text 'Hi' 1,1,11,11 fmt=0 colour=000000"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Drawn(c.image, c.width, c.height), c.drawn) << c.image;
}

TEST(BmpFileLoader, ReadsTheSizeFromInfoAndCoreHeadersAndRefusesOtherData)
{
    uint8_t info[54] = {'B', 'M'};
    info[14] = 40;
    info[18] = 0x34, info[19] = 0x12;                        // width 0x1234
    info[22] = 0xF6, info[23] = info[24] = info[25] = 0xFF;  // height -10: top-down
    SkinBitmapInfo size;
    ASSERT_TRUE(CBmpFileLoader::ReadSize(info, sizeof info, size));
    EXPECT_EQ(size.width, 0x1234);
    EXPECT_EQ(size.height, 10);
    info[0] = 'P';
    EXPECT_FALSE(CBmpFileLoader::ReadSize(info, sizeof info, size));

    uint8_t core[26] = {'B', 'M'};
    core[14] = 12;
    core[18] = 7;
    core[20] = 9;
    ASSERT_TRUE(CBmpFileLoader::ReadSize(core, sizeof core, size));
    EXPECT_EQ(size.width, 7);
    EXPECT_EQ(size.height, 9);
}
