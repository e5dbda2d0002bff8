// Tiling: where the copies of a picture go on a target, column by column.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "common/tile_background.h"

namespace {

struct FakePicture {
    bool present = true;
    explicit operator bool() const { return present; }
};

struct FakeSource {
    int width;
    int height;
    FakePicture picture;
    int Width() const { return width; }
    int Height() const { return height; }
    const FakePicture& Picture() const { return picture; }
};

struct FakeTarget {
    int width;
    int height;
    std::vector<std::pair<int, int>> tiles;
    int Width() const { return width; }
    int Height() const { return height; }
    void PaintPicture(const FakePicture&, int x, int y) { tiles.emplace_back(x, y); }
};

using Tiles = std::vector<std::pair<int, int>>;

}  // namespace

TEST(TileBackground, ProductPageGetsSixTilesColumnByColumn) {
    FakeSource glass{3000, 3000, {}};
    FakeTarget page{7635, 5355, {}};
    common::TileBackground(glass, page);
    EXPECT_EQ(page.tiles, (Tiles{{0, 0}, {0, 3000}, {3000, 0}, {3000, 3000}, {6000, 0}, {6000, 3000}}));
}

TEST(TileBackground, LimitsAreInclusiveAndASmallTargetGetsOneTile) {
    FakeSource tile{1500, 1350, {}};
    FakeTarget exact{3000, 1000, {}};
    common::TileBackground(tile, exact);
    EXPECT_EQ(exact.tiles, (Tiles{{0, 0}, {1500, 0}, {3000, 0}}));  // the third column starts at the edge

    FakeTarget small{1000, 1000, {}};
    common::TileBackground(tile, small);
    EXPECT_EQ(small.tiles, (Tiles{{0, 0}}));
}

TEST(TileBackground, NothingIsDrawnWithoutAPictureOrWithoutASize) {
    FakeTarget target{3000, 3000, {}};
    common::TileBackground(FakeSource{1500, 1500, {false}}, target);
    common::TileBackground(FakeSource{0, 1500, {}}, target);
    common::TileBackground(FakeSource{1500, 0, {}}, target);
    EXPECT_TRUE(target.tiles.empty());
}
