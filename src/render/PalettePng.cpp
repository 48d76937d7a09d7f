// SPDX-License-Identifier: GPL-3.0-or-later
#include "PalettePng.h"

#include <QIODevice>
#include <QImage>

#include <png.h>

#include <array>
#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vandrix {

namespace {

constexpr int MaxColours = 4;
constexpr int PixelsPerByte = 4;
constexpr int BitDepth = 2;

// The image as rows of 2-bit palette indices, or nothing when it has more than four colours.
struct PackedImage {
    std::array<QRgb, MaxColours> palette{};
    int colours = 0;
    qsizetype rowBytes = 0;
    std::vector<png_byte> rows;
};

bool pack(const QImage& image, PackedImage& packed) {
    const int width = image.width();
    packed.rowBytes = (width + PixelsPerByte - 1) / PixelsPerByte;
    packed.rows.assign(static_cast<std::size_t>(packed.rowBytes * image.height()), 0);
    QRgb lastColour = 0;
    unsigned lastIndex = 0;
    const auto indexOf = [&packed](QRgb colour) -> int {
        for (int i = 0; i < packed.colours; ++i) {
            if (packed.palette.at(static_cast<std::size_t>(i)) == colour) {
                return i;
            }
        }
        if (packed.colours == MaxColours) {
            return -1;
        }
        packed.palette.at(static_cast<std::size_t>(packed.colours)) = colour;
        return packed.colours++;
    };
    for (int y = 0; y < image.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        png_byte* target = packed.rows.data() + static_cast<std::size_t>(y * packed.rowBytes);
        // Rows crossed only by the vertical grid lines, or by nothing, repeat the one above.
        if (y > 0 && std::memcmp(source, image.constScanLine(y - 1),
                                 static_cast<std::size_t>(width) * sizeof(QRgb)) == 0) {
            std::memcpy(target, target - packed.rowBytes,
                        static_cast<std::size_t>(packed.rowBytes));
            continue;
        }
        for (int x = 0; x < width;) {
            const QRgb colour = source[x];
            if (colour != lastColour || packed.colours == 0) {
                const int index = indexOf(colour);
                if (index < 0) {
                    return false;
                }
                lastColour = colour;
                lastIndex = static_cast<unsigned>(index);
            }
            // Most of a plot is runs of one colour; index 0, the first colour, is already there.
            int end = x + 1;
            while (end < width && source[end] == colour) {
                ++end;
            }
            if (lastIndex != 0) {
                for (int i = x; i < end; ++i) {
                    const int shift = (PixelsPerByte - 1 - i % PixelsPerByte) * BitDepth;
                    target[i / PixelsPerByte] =
                        static_cast<png_byte>(target[i / PixelsPerByte] | (lastIndex << shift));
                }
            }
            x = end;
        }
    }
    return true;
}

struct WriteState {
    QIODevice* device = nullptr;
    bool failed = false;
    std::jmp_buf jump{};
};

void writeData(png_structp png, png_bytep data, png_size_t length) {
    auto* state = static_cast<WriteState*>(png_get_io_ptr(png));
    if (!state->failed &&
        state->device->write(reinterpret_cast<const char*>(data), static_cast<qint64>(length)) !=
            static_cast<qint64>(length)) {
        state->failed = true;
    }
}

void flushData(png_structp /*png*/) {}

[[noreturn]] void onError(png_structp png, png_const_charp /*message*/) {
    auto* state = static_cast<WriteState*>(png_get_error_ptr(png));
    std::longjmp(state->jump, 1);
}

void onWarning(png_structp /*png*/, png_const_charp /*message*/) {}

// The libpng calls, kept free of objects with destructors: an error jumps out of them.
bool encode(WriteState& state, const PackedImage& packed, int width, int height,
            const std::vector<png_bytep>& rowPointers, png_uint_32 dotsPerMetre) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, &onError, &onWarning);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(state.jump) != 0) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &state, &writeData, &flushData);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                 BitDepth, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::array<png_color, MaxColours> palette{};
    for (int i = 0; i < packed.colours; ++i) {
        const QRgb colour = packed.palette.at(static_cast<std::size_t>(i));
        palette.at(static_cast<std::size_t>(i)) = {static_cast<png_byte>(qRed(colour)),
                                                   static_cast<png_byte>(qGreen(colour)),
                                                   static_cast<png_byte>(qBlue(colour))};
    }
    png_set_PLTE(png, info, palette.data(), packed.colours);
    if (dotsPerMetre > 0) {
        png_set_pHYs(png, info, dotsPerMetre, dotsPerMetre, PNG_RESOLUTION_METER);
    }
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rowPointers.data()));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

Status WritePalettePng(QIODevice& device, const QImage& image) {
    PackedImage packed;
    if (image.format() != QImage::Format_RGB32 || image.isNull() || !pack(image, packed)) {
        return Status::failure(QStringLiteral("the picture has more than four colours"));
    }
    std::vector<png_bytep> rowPointers(static_cast<std::size_t>(image.height()));
    for (std::size_t y = 0; y < rowPointers.size(); ++y) {
        rowPointers[y] = packed.rows.data() + y * static_cast<std::size_t>(packed.rowBytes);
    }
    WriteState state;
    state.device = &device;
    const int dpm = image.dotsPerMeterX();
    if (!encode(state, packed, image.width(), image.height(), rowPointers,
                dpm > 0 ? static_cast<png_uint_32>(dpm) : 0U) ||
        state.failed) {
        return Status::failure(device.errorString().isEmpty()
                                   ? QStringLiteral("cannot write the PNG")
                                   : device.errorString());
    }
    return Status::success();
}

}  // namespace vandrix
