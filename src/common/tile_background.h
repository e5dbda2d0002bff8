// Covers a surface with copies of one picture laid edge to edge, column by column from the top-left
// corner. The source is anything with Width(), Height() and Picture() (an image holder); the target is
// anything with Width(), Height() and PaintPicture(picture, x, y) (a picture box, in twips, or a page or
// a picture box seen through InPixels below). The target's size is its outer size.
//
// Laid in twips, copies land on whole pixels only where a pixel is a whole number of twips (15 at 96
// pixels per inch, 10 at 144). At 200 % a pixel is 7.5 twips: copies laid in twips drift off the
// picture's own pixels and leave one-pixel gaps. InPixels views a source or a target in pixels of its
// display instead, where every scale lays the copies edge to edge; at 96 pixels per inch both lay the
// same copies.
#pragma once

#include <cmath>

namespace common {

// A source (its picture's own pixels) or a target (its outer size in pixels, PaintPicturePixels) seen in
// pixels.
template <class Holder>
class InPixels {
public:
    explicit InPixels(Holder& holder) : holder_(holder) {}
    int Width() const { return holder_.WidthPixels(); }
    int Height() const { return holder_.HeightPixels(); }
    decltype(auto) Picture() const { return holder_.Picture(); }
    template <class PictureType>
    void PaintPicture(const PictureType& picture, int x, int y) {
        holder_.PaintPicturePixels(picture, x, y);
    }

private:
    Holder& holder_;
};

template <class Source, class Target>
void TileBackground(const Source& source, Target&& target) {
    // Without a picture, or with one of no size, there is nothing to lay and the step would be zero.
    if (!source.Picture()) return;
    const float columnLimit = static_cast<float>(target.Width());
    const float columnStep = static_cast<float>(source.Width());
    if (!(columnStep > 0)) return;
    // Both limits are inclusive: the last column and row start at or before the edge and are cut by it.
    for (float x = 0; x <= columnLimit; x += columnStep) {
        const float rowLimit = static_cast<float>(target.Height());
        const float rowStep = static_cast<float>(source.Height());
        if (!(rowStep > 0)) return;
        for (float y = 0; y <= rowLimit; y += rowStep)
            target.PaintPicture(source.Picture(), static_cast<int>(std::lround(x)),
                                static_cast<int>(std::lround(y)));
    }
}

}  // namespace common
