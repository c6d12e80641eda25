// The C interface of the icon engine. A handle holds one reading of its source, made when it is
// opened (the file is read with pread and closed at once, so a file shortened later cannot
// fault the host), and the inventory taken of it. The engine paths used here report nothing
// through EngineMessages.h (groups are loaded without reporting), hold no writable process-wide
// state, and every exception stops at this boundary.
#include "glyphdock.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "engine/IcoLayout.h"
#include "engine/ModuleGroups.h"
#include "engine/NeModule.h"
#include "engine/SourceInventory.h"
#include "engine/SourceReading.h"
#include "engine/Thumbnail.h"
#include "engine/linux/PngCodec.h"

#ifndef GLYPHDOCK_VERSION
#error "GLYPHDOCK_VERSION names the release"
#endif

struct gd_source {
    std::vector<unsigned char> bytes;  // a source opened from memory: the reading points into them
    std::unique_ptr<SourceReading> reading;
    SourceInventory inventory;
    std::string message;
};

namespace {

gd_error Fail(gd_source* source, gd_error error, const std::string& text) {
    if (source) source->message = text;
    return error;
}

// Runs a call, turning any exception into GD_ERROR_MEMORY: a bad_alloc is the only one the
// engine's containers throw.
template <typename Call>
gd_error Guarded(gd_source* source, Call call) {
    if (!source) return GD_ERROR_ARGUMENT;
    try {
        source->message.clear();
        return call();
    } catch (...) {
        return Fail(source, GD_ERROR_MEMORY, "out of memory");
    }
}

const char* StatusMessage(SourceStatus status) {
    switch (status) {
    case SourceStatus::Ok: return "";
    case SourceStatus::NoIcons: return "the file holds no icons";
    case SourceStatus::Unreadable: return "the file cannot be read";
    case SourceStatus::NotAModule: break;
    }
    return "the file is neither a program module nor an icon file";
}

gd_source* Open(std::unique_ptr<gd_source> source) {
    source->inventory = TakeInventory(*source->reading);
    source->message = StatusMessage(source->inventory.status);
    return source.release();
}

bool ValidGroup(gd_source* source, int group) {
    return group >= 0 && static_cast<size_t>(group) < source->inventory.groups.size();
}

// A copy the caller frees with gd_free.
gd_error Give(gd_source* source, const std::vector<unsigned char>& bytes, unsigned char** data, size_t* size) {
    auto* copy = static_cast<unsigned char*>(std::malloc(bytes.empty() ? 1 : bytes.size()));
    if (!copy) return Fail(source, GD_ERROR_MEMORY, "out of memory");
    if (!bytes.empty()) std::memcpy(copy, bytes.data(), bytes.size());
    *data = copy;
    *size = bytes.size();
    return GD_OK;
}

// The images of a group as stored; a message when the group cannot be read.
gd_error GroupImages(gd_source* source, int group, std::vector<ByteSpan>& images) {
    if (!ValidGroup(source, group)) return Fail(source, GD_ERROR_NO_GROUP, "no icon group " + std::to_string(group));
    if (!source->reading->Images(group, images) || source->reading->Lost())
        return Fail(source, GD_ERROR_DAMAGED, "icon group " + std::to_string(group) + " cannot be read");
    return GD_OK;
}

gd_error Image(gd_source* source, int group, int image, ByteSpan& bytes) {
    std::vector<ByteSpan> images;
    if (const gd_error error = GroupImages(source, group, images)) return error;
    if (image < 0 || static_cast<size_t>(image) >= images.size())
        return Fail(source, GD_ERROR_NO_IMAGE,
                    "icon group " + std::to_string(group) + " has no image " + std::to_string(image));
    bytes = images[static_cast<size_t>(image)];
    return GD_OK;
}

gd_error Decode(gd_source* source, int group, int image, ByteSpan& bytes, RgbaImage& picture) {
    if (const gd_error error = Image(source, group, image, bytes)) return error;
    const ImageDecode decode = DecodeIconImage(bytes, picture);
    if (decode == ImageDecode::Decoded) return GD_OK;
    return Fail(
        source, GD_ERROR_DAMAGED,
        "icon group " + std::to_string(group) + ", image " + std::to_string(image) + ": " + DecodeRefusal(decode));
}

}  // namespace

extern "C" {

const char* gd_library_version(void) {
    return GLYPHDOCK_VERSION;
}

gd_source* gd_open(const char* path) {
    try {
        auto source = std::make_unique<gd_source>();
        source->reading = std::make_unique<SourceReading>(path ? path : "");
        return Open(std::move(source));
    } catch (...) {
        return nullptr;
    }
}

gd_source* gd_open_memory(const void* bytes, size_t size) {
    try {
        auto source = std::make_unique<gd_source>();
        if (bytes)
            source->bytes.assign(static_cast<const unsigned char*>(bytes),
                                 static_cast<const unsigned char*>(bytes) + size);
        source->reading = std::make_unique<SourceReading>(ByteSpan(source->bytes.data(), source->bytes.size()));
        return Open(std::move(source));
    } catch (...) {
        return nullptr;
    }
}

void gd_close(gd_source* source) {
    delete source;
}

gd_status gd_source_status(const gd_source* source) {
    if (!source) return GD_STATUS_UNREADABLE;
    switch (source->inventory.status) {
    case SourceStatus::Ok: return GD_STATUS_OK;
    case SourceStatus::NoIcons: return GD_STATUS_NO_ICONS;
    case SourceStatus::Unreadable: return GD_STATUS_UNREADABLE;
    case SourceStatus::NotAModule: break;
    }
    return GD_STATUS_NOT_A_MODULE;
}

gd_kind gd_source_kind(const gd_source* source) {
    if (!source) return GD_KIND_NONE;
    switch (source->inventory.kind) {
    case SourceKind::Pe32: return GD_KIND_PE32;
    case SourceKind::Pe32Plus: return GD_KIND_PE32PLUS;
    case SourceKind::Ne: return GD_KIND_NE;
    case SourceKind::Ico: return GD_KIND_ICO;
    case SourceKind::None: break;
    }
    return GD_KIND_NONE;
}

const char* gd_message(const gd_source* source) {
    return source ? source->message.c_str() : "no source";
}

int gd_group_count(const gd_source* source) {
    return source ? static_cast<int>(source->inventory.groups.size()) : 0;
}

gd_error gd_group(gd_source* source, int group, gd_group_info* info) {
    return Guarded(source, [&] {
        if (!info) return Fail(source, GD_ERROR_ARGUMENT, "no place for the group's facts");
        if (!ValidGroup(source, group))
            return Fail(source, GD_ERROR_NO_GROUP, "no icon group " + std::to_string(group));
        const InventoryGroup& facts = source->inventory.groups[static_cast<size_t>(group)];
        info->index = facts.index;
        info->has_id = facts.integer && source->inventory.kind != SourceKind::Ico;
        info->id = info->has_id ? facts.id : 0;
        info->name = facts.integer || source->inventory.kind == SourceKind::Ico ? nullptr : facts.name.c_str();
        info->has_language = facts.hasLanguage;
        info->language = facts.hasLanguage ? facts.language : 0;
        info->readable = facts.readable;
        info->image_count = static_cast<int>(facts.images.size());
        return GD_OK;
    });
}

gd_error gd_group_with_id(gd_source* source, unsigned id, int* group) {
    return Guarded(source, [&] {
        if (!group) return Fail(source, GD_ERROR_ARGUMENT, "no place for the group");
        *group = id <= 0xFFFF ? source->reading->GroupWithId(id) : -1;
        if (*group < 0) return Fail(source, GD_ERROR_NO_GROUP, "no icon group with id " + std::to_string(id));
        return GD_OK;
    });
}

gd_error gd_image(gd_source* source, int group, int image, gd_image_info* info) {
    return Guarded(source, [&] {
        if (!info) return Fail(source, GD_ERROR_ARGUMENT, "no place for the image's facts");
        if (!ValidGroup(source, group))
            return Fail(source, GD_ERROR_NO_GROUP, "no icon group " + std::to_string(group));
        const std::vector<InventoryImage>& images = source->inventory.groups[static_cast<size_t>(group)].images;
        if (image < 0 || static_cast<size_t>(image) >= images.size())
            return Fail(source, GD_ERROR_NO_IMAGE,
                        "icon group " + std::to_string(group) + " has no image " + std::to_string(image));
        const InventoryImage& facts = images[static_cast<size_t>(image)];
        *info = gd_image_info{facts.readable,           facts.facts.width, facts.facts.height,
                              facts.facts.bitsPerPixel, facts.facts.png,   facts.bytes};
        return GD_OK;
    });
}

gd_error gd_group_ico(gd_source* source, int group, unsigned char** data, size_t* size) {
    return Guarded(source, [&] {
        if (!data || !size) return Fail(source, GD_ERROR_ARGUMENT, "no place for the ICO file");
        if (!ValidGroup(source, group))
            return Fail(source, GD_ERROR_NO_GROUP, "no icon group " + std::to_string(group));
        const SourceReading& reading = *source->reading;
        std::vector<unsigned char> ico;
        bool built = false;
        switch (reading.GetKind()) {
        case SourceReading::Kind::Pe: {
            const IconResourcePtr record = LoadIconGroup(reading.Module(), "", group, false);
            built = record && IcoFileBytes(*record, ico);
            break;
        }
        case SourceReading::Kind::Ne:
            built =
                NeGroupIcoBytes(reading.Bytes(), reading.Table(), static_cast<size_t>(group), ico) == NeGroup::Built;
            break;
        case SourceReading::Kind::Ico:
            ico.assign(reading.Bytes().Data(), reading.Bytes().Data() + reading.Bytes().Size());
            built = true;
            break;
        case SourceReading::Kind::None: break;
        }
        if (!built || reading.Lost())
            return Fail(source, GD_ERROR_DAMAGED, "icon group " + std::to_string(group) + " cannot be read");
        return Give(source, ico, data, size);
    });
}

gd_error gd_image_png(gd_source* source, int group, int image, unsigned char** data, size_t* size) {
    return Guarded(source, [&] {
        if (!data || !size) return Fail(source, GD_ERROR_ARGUMENT, "no place for the PNG file");
        ByteSpan bytes;
        RgbaImage picture;
        if (const gd_error error = Decode(source, group, image, bytes, picture)) return error;
        // A stored PNG is decoded too, so that no damaged PNG file is given out.
        std::vector<unsigned char> png;
        if (IsPngImage(bytes))
            png.assign(bytes.Data(), bytes.Data() + bytes.Size());
        else if (!EncodePng(picture, png))
            return Fail(source, GD_ERROR_MEMORY, "out of memory");
        return Give(source, png, data, size);
    });
}

gd_error gd_image_rgba(gd_source* source, int group, int image, unsigned char** pixels, int* width, int* height) {
    return Guarded(source, [&] {
        if (!pixels || !width || !height) return Fail(source, GD_ERROR_ARGUMENT, "no place for the pixels");
        ByteSpan bytes;
        RgbaImage picture;
        if (const gd_error error = Decode(source, group, image, bytes, picture)) return error;
        size_t size = 0;
        if (const gd_error error = Give(source, picture.pixels, pixels, &size)) return error;
        *width = picture.width;
        *height = picture.height;
        return GD_OK;
    });
}

gd_error gd_thumbnail(gd_source* source, int group, int size, unsigned char** data, size_t* size_out) {
    return Guarded(source, [&] {
        if (!data || !size_out || size < 1 || size > 65535)
            return Fail(source, GD_ERROR_ARGUMENT, "a thumbnail's size is 1 to 65535");
        std::vector<ByteSpan> images;
        if (const gd_error error = GroupImages(source, group, images)) return error;
        RgbaImage scaled;
        const ImageDecode decode = ThumbnailPicture(images, size, scaled);
        if (decode != ImageDecode::Decoded)
            return Fail(source, GD_ERROR_DAMAGED, "icon " + std::to_string(group) + ": " + DecodeRefusal(decode));
        std::vector<unsigned char> png;
        if (!EncodePng(scaled, png, true)) return Fail(source, GD_ERROR_MEMORY, "out of memory");
        return Give(source, png, data, size_out);
    });
}

gd_error gd_version_numbers(gd_source* source, uint16_t file_version[4], uint16_t product_version[4]) {
    return Guarded(source, [&] {
        if (!file_version || !product_version) return Fail(source, GD_ERROR_ARGUMENT, "no place for the numbers");
        const VersionInfo& version = source->inventory.version;
        if (!source->inventory.hasVersion || !version.fixed)
            return Fail(source, GD_ERROR_NO_VERSION, "the file carries no version numbers");
        std::memcpy(file_version, version.fileVersion, sizeof version.fileVersion);
        std::memcpy(product_version, version.productVersion, sizeof version.productVersion);
        return GD_OK;
    });
}

int gd_version_string_count(const gd_source* source) {
    return source && source->inventory.hasVersion ? static_cast<int>(source->inventory.version.strings.size()) : 0;
}

gd_error gd_version_string(gd_source* source, int i, const char** key, const char** value) {
    return Guarded(source, [&] {
        if (!key || !value) return Fail(source, GD_ERROR_ARGUMENT, "no place for the string");
        if (i < 0 || i >= gd_version_string_count(source))
            return Fail(source, GD_ERROR_NO_VERSION, "no version string " + std::to_string(i));
        const auto& [name, text] = source->inventory.version.strings[static_cast<size_t>(i)];
        *key = name.c_str();
        *value = text.c_str();
        return GD_OK;
    });
}

const char* gd_version_value(const gd_source* source, const char* key) {
    if (!key) return nullptr;
    for (int i = 0; i < gd_version_string_count(source); ++i) {
        const auto& [name, text] = source->inventory.version.strings[static_cast<size_t>(i)];
        if (name == key) return text.c_str();
    }
    return nullptr;
}

void gd_free(void* data) {
    std::free(data);
}

}  // extern "C"
