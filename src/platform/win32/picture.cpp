#include "platform/win32/picture.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include <ole2.h>
#include <olectl.h>

#include "platform/win32/gdi.h"
#include "platform/win32/icon_frames.h"
#include "platform/win32/jpeg.h"
#include "platform/win32/resources.h"
#include "platform/win32/units.h"

namespace platform {
namespace {

// Picture loading needs OLE on the calling thread; the program's one thread initialises it once.
void EnsureOle() {
    thread_local bool initialised = false;
    if (!initialised) {
        OleInitialize(nullptr);
        initialised = true;
    }
}

}  // namespace

struct Picture::Impl {
    IPicture* picture = nullptr;
    std::string name;
    // A bitmap's pixels as 32-bit rows from the top, read on its first drawing at its own size.
    std::vector<std::uint32_t> pixels;
    int pixelWidth = 0;
    int pixelHeight = 0;
    // An icon file's frames (the picture object holds the first); the bytes the others are read from
    // (kept only when there are others); and the frames made so far for other sizes.
    std::vector<IconFrame> frames;
    std::string ownBytes;
    std::string_view iconFile;
    std::vector<OwnedIcon> frameIcons;
    ~Impl() {
        if (picture) picture->Release();
    }
};

Picture Picture::FromBytes(std::string_view bytes, std::string name) {
    return Load(bytes, std::move(name), false);
}

Picture Picture::FromLastingBytes(std::string_view bytes, std::string name) {
    return Load(bytes, std::move(name), true);
}

Picture Picture::Load(std::string_view bytes, std::string name, bool lasting) {
    EnsureOle();
    if (bytes.empty()) throw PictureError("the picture " + name + " holds no data");
    // The program's own JPEGs are decoded here, into the bitmap OLE makes of them: opaque 32-bit pixels
    // turned into a bitmap of the screen's format. Whatever the decoder declines goes to OLE.
    if (std::optional<DecodedJpeg> jpeg = DecodeJpeg(bytes)) {
        for (std::uint32_t& pixel : jpeg->pixels) pixel |= 0xFF000000u;
        BITMAPINFO format = TopDownFormat(jpeg->width, jpeg->height);
        WindowDC screen(nullptr);
        Bitmap bitmap(CreateDIBitmap(screen.get(), &format.bmiHeader, CBM_INIT, jpeg->pixels.data(), &format,
                                     DIB_RGB_COLORS));
        if (!bitmap) throw PictureError("not enough memory for the picture " + name);
        Picture picture = FromBitmap(bitmap.get(), true, std::move(name));
        bitmap.release();  // the picture owns it now
        return picture;
    }
    // Of an icon file with several frames the picture object is made from the first alone (the one an
    // icon is designed at): the other frames are read only when a display of another scale needs them,
    // so they cost no memory at 96 pixels per inch.
    std::vector<IconFrame> frames = ReadIconFrames(bytes);
    std::string firstFrameFile;
    std::string_view loaded = bytes;
    if (frames.size() > 1) {
        const IconFrame& first = frames[0];
        firstFrameFile.assign(bytes.data(), 6 + 16);
        firstFrameFile[4] = 1;  // one frame, whose image follows the directory at once
        firstFrameFile[5] = 0;
        for (int i = 0; i < 4; ++i) firstFrameFile[18 + i] = static_cast<char>((22u >> (8 * i)) & 0xFF);
        firstFrameFile.append(bytes.data() + first.offset, first.size);
        loaded = firstFrameFile;
    }

    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, loaded.size());
    if (!memory) throw PictureError("not enough memory for the picture " + name);
    void* target = GlobalLock(memory);
    std::memcpy(target, loaded.data(), loaded.size());
    GlobalUnlock(memory);

    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        throw PictureError("the picture " + name + " could not be read");
    }
    IPicture* picture = nullptr;
    HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(loaded.size()), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(hr) || !picture) throw PictureError("the picture " + name + " is damaged or not a picture");

    Picture result = Adopt(picture, std::move(name));
    if (result.Type() != PictureType::Icon || frames.empty()) return result;
    Impl& impl = *result.impl_;
    impl.frames = std::move(frames);
    impl.frameIcons.resize(impl.frames.size());
    if (impl.frames.size() > 1) {
        if (!lasting) impl.ownBytes.assign(bytes.data(), bytes.size());
        impl.iconFile = lasting ? bytes : std::string_view(impl.ownBytes);
    }
    return result;
}

namespace {

IPicture* CreatePicture(PICTDESC& desc, bool own, const std::string& name) {
    EnsureOle();
    desc.cbSizeofstruct = sizeof desc;
    IPicture* picture = nullptr;
    if (FAILED(OleCreatePictureIndirect(&desc, IID_IPicture, own, reinterpret_cast<void**>(&picture))) ||
        !picture)
        throw PictureError("the picture " + name + " could not be made");
    return picture;
}

}  // namespace

Picture Picture::Adopt(IPicture* picture, std::string name) {
    Picture result;
    result.impl_ = std::make_shared<Impl>();
    result.impl_->picture = picture;
    result.impl_->name = std::move(name);
    return result;
}

Picture Picture::FromBitmap(HBITMAP bitmap, bool own, std::string name) {
    PICTDESC desc{};
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap;
    return Adopt(CreatePicture(desc, own, name), std::move(name));
}

Picture Picture::FromIcon(HICON icon, bool own, std::string name) {
    PICTDESC desc{};
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = icon;
    return Adopt(CreatePicture(desc, own, name), std::move(name));
}

HANDLE Picture::Handle() const {
    OLE_HANDLE handle = 0;
    if (impl_) impl_->picture->get_Handle(&handle);
    return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle));
}

PictureType Picture::Type() const {
    SHORT type = 0;
    if (impl_) impl_->picture->get_Type(&type);
    return static_cast<PictureType>(type);
}

long Picture::WidthHimetric() const {
    if (impl_ && !impl_->frames.empty()) return MulDiv(impl_->frames[0].width, kHimetricPerInch, kNormalDpi);
    OLE_XSIZE_HIMETRIC width = 0;
    if (impl_) impl_->picture->get_Width(&width);
    return width;
}

long Picture::HeightHimetric() const {
    if (impl_ && !impl_->frames.empty()) return MulDiv(impl_->frames[0].height, kHimetricPerInch, kNormalDpi);
    OLE_YSIZE_HIMETRIC height = 0;
    if (impl_) impl_->picture->get_Height(&height);
    return height;
}

const std::string& Picture::Name() const {
    static const std::string kNone;
    return impl_ ? impl_->name : kNone;
}

int Picture::WidthPixels() const {
    BITMAP size{};
    if (Type() == PictureType::Bitmap && GetObjectA(static_cast<HBITMAP>(Handle()), sizeof size, &size))
        return size.bmWidth;
    return MulDiv(static_cast<int>(WidthHimetric()), kNormalDpi, kHimetricPerInch);
}
int Picture::HeightPixels() const {
    BITMAP size{};
    if (Type() == PictureType::Bitmap && GetObjectA(static_cast<HBITMAP>(Handle()), sizeof size, &size))
        return size.bmHeight;
    return MulDiv(static_cast<int>(HeightHimetric()), kNormalDpi, kHimetricPerInch);
}

Picture::IconFrameChoice Picture::IconFrameFor(int width, int height) const {
    if (!impl_) return {};
    auto own = static_cast<HICON>(Handle());
    std::optional<std::size_t> chosen = ChooseIconFrame(impl_->frames, width, height);
    if (!chosen) return {own, 0, 0};
    const IconFrame& frame = impl_->frames[*chosen];
    if (*chosen == 0) return {own, frame.width, frame.height};
    OwnedIcon& made = impl_->frameIcons[*chosen];
    if (!made.get() && !impl_->iconFile.empty()) {
        // The frame's image as the file holds it is the form CreateIconFromResourceEx reads.
        auto* image = reinterpret_cast<BYTE*>(const_cast<char*>(impl_->iconFile.data()) + frame.offset);
        made = OwnedIcon(
            CreateIconFromResourceEx(image, frame.size, TRUE, 0x00030000, frame.width, frame.height, 0));
    }
    if (!made.get()) return {own, 0, 0};
    return {made.get(), frame.width, frame.height};
}

void Picture::Draw(HDC dc, int x, int y) const {
    if (!impl_) return;
    // A bitmap shown at its own size is a plain copy of its pixels: they are read out once and then
    // copied straight onto the target. Rendering through the picture object instead maps the bitmap
    // through HIMETRIC units and stretches it, and even selecting the bitmap into a device context for a
    // copy costs a hundred times the copy itself (a page tiles dozens of these as it loads).
    if (Type() == PictureType::Bitmap) {
        auto bitmap = static_cast<HBITMAP>(Handle());
        BITMAP size{};
        if (impl_->pixels.empty() && GetObjectA(bitmap, sizeof size, &size) && size.bmWidth > 0 &&
            size.bmHeight > 0) {
            std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.bmWidth) * size.bmHeight);
            BITMAPINFO format = TopDownFormat(size.bmWidth, size.bmHeight);
            WindowDC screen(nullptr);
            if (GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(size.bmHeight), pixels.data(), &format,
                          DIB_RGB_COLORS) == size.bmHeight) {
                impl_->pixels = std::move(pixels);
                impl_->pixelWidth = size.bmWidth;
                impl_->pixelHeight = size.bmHeight;
            }
        }
        if (!impl_->pixels.empty()) {
            BITMAPINFO format = TopDownFormat(impl_->pixelWidth, impl_->pixelHeight);
            SetDIBitsToDevice(
                dc, x, y, static_cast<DWORD>(impl_->pixelWidth), static_cast<DWORD>(impl_->pixelHeight), 0, 0,
                0, static_cast<UINT>(impl_->pixelHeight), impl_->pixels.data(), &format, DIB_RGB_COLORS);
            return;
        }
    }
    // The picture object's own HIMETRIC size is the source rectangle; picture coordinates run bottom-up:
    // start at the bottom row and draw with a negative height.
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    impl_->picture->get_Width(&w);
    impl_->picture->get_Height(&h);
    impl_->picture->Render(dc, x, y, WidthPixels(), HeightPixels(), 0, h, w, -h, nullptr);
}

Picture PictureLibrary::Get(const std::string& name) {
    auto found = pictures_.find(name);
    if (found != pictures_.end()) return found->second;
    std::string_view bytes = ResourceData(name.c_str());
    if (bytes.empty()) throw PictureError("the program has no picture named " + name);
    Picture picture = Picture::FromLastingBytes(bytes, name);
    pictures_.emplace(name, picture);
    return picture;
}

void PictureLibrary::Add(const std::string& name, Picture picture) {
    pictures_[name] = std::move(picture);
}

}  // namespace platform
