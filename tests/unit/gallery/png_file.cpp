#include "png_file.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <filesystem>
#include <vector>

namespace testing_support {
namespace {

using Microsoft::WRL::ComPtr;

ComPtr<IWICImagingFactory> Factory() {
    ComPtr<IWICImagingFactory> factory;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
    return factory;
}

}  // namespace

std::optional<Pixels> ReadPng(const std::string& path) {
    ComPtr<IWICImagingFactory> factory = Factory();
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    if (!factory ||
        FAILED(factory->CreateDecoderFromFilename(std::filesystem::path(path).c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                     nullptr, 0, WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height)))
        return std::nullopt;
    std::vector<std::uint32_t> quads(std::size_t(width) * height);  // 0x00RRGGBB
    if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(quads.size() * 4),
                                     reinterpret_cast<BYTE*>(quads.data()))))
        return std::nullopt;
    Pixels pixels(static_cast<int>(width), static_cast<int>(height));
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x) {
            std::uint32_t q = quads[std::size_t(y) * width + x];
            pixels.set(x, y, RGB(q >> 16 & 0xFF, q >> 8 & 0xFF, q & 0xFF));
        }
    return pixels;
}

bool WritePng(const std::string& path, const Pixels& pixels) {
    std::vector<BYTE> rows;  // blue, green, red
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            rows.insert(rows.end(),
                        {GetBValue(pixels.at(x, y)), GetGValue(pixels.at(x, y)), GetRValue(pixels.at(x, y))});
    const auto width = static_cast<UINT>(pixels.width()), height = static_cast<UINT>(pixels.height());
    ComPtr<IWICImagingFactory> factory = Factory();
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    return factory && SUCCEEDED(factory->CreateStream(&stream)) &&
           SUCCEEDED(stream->InitializeFromFilename(std::filesystem::path(path).c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
           SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
           SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
           IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
           SUCCEEDED(frame->WritePixels(height, width * 3, static_cast<UINT>(rows.size()), rows.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

}  // namespace testing_support
