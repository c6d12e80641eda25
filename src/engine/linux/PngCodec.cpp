#include "engine/linux/PngCodec.h"

#include <png.h>

#include <cstring>

#include "engine/BitmapDecoder.h"
#include "engine/IconRecord.h"
#include "engine/ImageFacts.h"
#include "engine/Thumbnail.h"

// libpng reports an error by jumping back to the setjmp of the function that called it. The
// functions that call libpng therefore hold no object with a destructor, and everything they
// fill is owned by their callers.
namespace {

constexpr png_alloc_size_t LargestChunk = 8u << 20;

struct Reading {
    const unsigned char* bytes;
    size_t size;
    size_t at;
};

struct Writing {
    std::vector<unsigned char>* file;
};

[[noreturn]] void Fail(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void Ignore(png_structp, png_const_charp) {}

void ReadBytes(png_structp png, png_bytep out, size_t count) {
    Reading* reading = static_cast<Reading*>(png_get_io_ptr(png));
    if (count > reading->size - reading->at) png_error(png, "cut short");
    std::memcpy(out, reading->bytes + reading->at, count);
    reading->at += count;
}

void WriteBytes(png_structp png, png_bytep bytes, size_t count) {
    Writing* writing = static_cast<Writing*>(png_get_io_ptr(png));
    bool failed = false;
    try {
        writing->file->insert(writing->file->end(), bytes, bytes + count);
    } catch (...) {
        failed = true;
    }
    if (failed) png_error(png, "out of memory");
}

void Flush(png_structp) {}

bool ReadRows(Reading* reading, unsigned char* pixels, png_uint_32 width, png_uint_32 height) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Ignore);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_user_limits(png, LargestDecodedSide, LargestDecodedSide);
    png_set_chunk_malloc_max(png, LargestChunk);
    png_set_read_fn(png, reading, ReadBytes);
    png_read_info(png, info);
    if (png_get_image_width(png, info) != width || png_get_image_height(png, info) != height)
        png_error(png, "size changed");
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t{width} * 4) png_error(png, "not RGBA");
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 row = 0; row < height; ++row)
            png_read_row(png, pixels + size_t{row} * width * 4, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

bool WriteRows(Writing* writing, const unsigned char* pixels, png_uint_32 width, png_uint_32 height, bool quick) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Ignore);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, writing, WriteBytes, Flush);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (quick) {
        // One filter and the fastest compression: about half the time, twice the bytes.
        png_set_filter(png, 0, PNG_FILTER_SUB);
        png_set_compression_level(png, 1);
    }
    png_write_info(png, info);
    for (png_uint_32 row = 0; row < height; ++row)
        png_write_row(png, pixels + size_t{row} * width * 4);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

ImageDecode DecodePngImage(ByteSpan image, RgbaImage& decoded) {
    decoded = RgbaImage();
    ImageFacts facts;
    if (!IconImageFacts(image, facts) || !facts.png) return ImageDecode::Damaged;
    if (facts.width > LargestDecodedSide || facts.height > LargestDecodedSide) return ImageDecode::TooLarge;
    decoded.pixels.assign(static_cast<size_t>(facts.width) * static_cast<size_t>(facts.height) * 4, 0);
    Reading reading{image.Data(), image.Size(), 0};
    if (!ReadRows(&reading, decoded.pixels.data(), static_cast<png_uint_32>(facts.width),
                  static_cast<png_uint_32>(facts.height))) {
        decoded = RgbaImage();
        return ImageDecode::Damaged;
    }
    decoded.width = facts.width;
    decoded.height = facts.height;
    return ImageDecode::Decoded;
}

ImageDecode DecodeIconImage(ByteSpan image, RgbaImage& decoded) {
    return IsPngImage(image) ? DecodePngImage(image, decoded) : DecodeBitmapImage(image, decoded);
}

const char* DecodeRefusal(ImageDecode decode) {
    switch (decode) {
    case ImageDecode::Unsupported: return "a kind of image Glyphdock does not decode";
    case ImageDecode::TooLarge: return "larger than 1024 pixels on a side";
    case ImageDecode::Damaged:
    case ImageDecode::Decoded: break;
    }
    return "damaged";
}

bool EncodePng(const RgbaImage& picture, std::vector<unsigned char>& file, bool quick) {
    file.clear();
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 4)
        return false;
    Writing writing{&file};
    if (WriteRows(&writing, picture.pixels.data(), static_cast<png_uint_32>(picture.width),
                  static_cast<png_uint_32>(picture.height), quick))
        return true;
    file.clear();
    return false;
}

ImageDecode ThumbnailPicture(const std::vector<ByteSpan>& images, int size, RgbaImage& scaled) {
    std::vector<ImageFacts> facts(images.size());
    for (size_t k = 0; k < images.size(); ++k)
        if (!IconImageFacts(images[k], facts[k])) facts[k] = ImageFacts();
    RgbaImage picture;
    ImageDecode decode = ImageDecode::Damaged;
    for (const int k : ThumbnailOrder(facts, size)) {
        decode = DecodeIconImage(images[static_cast<size_t>(k)], picture);
        if (decode == ImageDecode::Decoded) break;
    }
    if (decode == ImageDecode::Decoded) ScaleToFit(picture, size, scaled);
    return decode;
}
