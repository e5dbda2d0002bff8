// Tiling: where the copies of a picture go on a target, column by column.
#include "common/tile_background.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Tiles = std::vector<std::pair<int, int>>;

struct FakePicture {
    bool present = true;
    explicit operator bool() const { return present; }
};

struct FakeSource {
    int width, height;
    FakePicture picture;
    int Width() const { return width; }
    int Height() const { return height; }
    const FakePicture& Picture() const { return picture; }
};

struct FakeTarget {
    int width, height;
    Tiles tiles;
    int Width() const { return width; }
    int Height() const { return height; }
    void PaintPicture(const FakePicture&, int x, int y) { tiles.emplace_back(x, y); }
};

}  // namespace

TEST(TileBackground, CoversTheTargetColumnByColumnWithInclusiveLimits) {
    struct Case {
        FakeSource source;
        int width, height;
        Tiles expected;
    };
    const Case cases[] = {
        {{3000, 3000, {}}, 7635, 5355, {{0, 0}, {0, 3000}, {3000, 0}, {3000, 3000}, {6000, 0}, {6000, 3000}}},
        {{1500, 1350, {}}, 3000, 1000, {{0, 0}, {1500, 0}, {3000, 0}}},  // a column starts at the edge
        {{1500, 1350, {}}, 1000, 1000, {{0, 0}}},
        {{1500, 1500, {false}}, 3000, 3000, {}},  // no picture
        {{0, 1500, {}}, 3000, 3000, {}},
        {{1500, 0, {}}, 3000, 3000, {}},                       // no step down: nothing, and no endless column
        {{1, 1, {}}, 1, 1, {{0, 0}, {0, 1}, {1, 0}, {1, 1}}},  // the smallest step still tiles
    };
    for (const Case& c : cases) {
        FakeTarget target{c.width, c.height, {}};
        common::TileBackground(c.source, target);
        EXPECT_EQ(target.tiles, c.expected) << c.source.width << "x" << c.source.height << " on " << c.width;
    }
}
