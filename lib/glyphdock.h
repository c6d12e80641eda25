/* libglyphdock: the icons and version information of Windows program files (32- and 64-bit
 * modules, 16-bit NE modules) and ICO files, for launchers, file managers and scripts.
 *
 * Open a source (gd_open, gd_open_memory), ask what it is (gd_status, gd_kind), walk its icon
 * groups in the order the shell numbers them (gd_group, gd_image) and take a group as an ICO
 * file, an image as PNG or RGBA, or the picture for a size (gd_thumbnail). Every buffer the
 * library returns is freed with gd_free. Calls that can fail return a gd_error; the handle then
 * holds a message (gd_message). Nothing is printed, no signal is raised, nothing is thrown.
 * A handle is used by one thread at a time; distinct handles may be used on distinct threads.
 */
#ifndef GLYPHDOCK_H
#define GLYPHDOCK_H

#include <stddef.h>
#include <stdint.h>

#if defined(__GNUC__)
#define GD_API __attribute__((visibility("default")))
#else
#define GD_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct gd_source gd_source;

/* Why a source can or cannot give icons, as glyphdock-export --json names it. */
typedef enum {
    GD_STATUS_OK = 0,           /* "ok": at least one icon group can be read */
    GD_STATUS_NO_ICONS = 1,     /* "no-icons": a module or ICO file without a readable group */
    GD_STATUS_UNREADABLE = 2,   /* "unreadable": cannot be opened, or its resources are damaged */
    GD_STATUS_NOT_A_MODULE = 3  /* "not-a-module": neither a module nor an ICO file */
} gd_status;

typedef enum { GD_KIND_NONE = 0, GD_KIND_PE32 = 1, GD_KIND_PE32PLUS = 2, GD_KIND_NE = 3, GD_KIND_ICO = 4 } gd_kind;

typedef enum {
    GD_OK = 0,
    GD_ERROR_ARGUMENT = 1,   /* a null handle or pointer, or a size out of range */
    GD_ERROR_NO_GROUP = 2,   /* no such icon group, or none with that resource id */
    GD_ERROR_NO_IMAGE = 3,   /* no such image in the group */
    GD_ERROR_DAMAGED = 4,    /* the group or image cannot be read or decoded */
    GD_ERROR_MEMORY = 5,     /* memory ran out */
    GD_ERROR_NO_VERSION = 6  /* the source carries no version information */
} gd_error;

typedef struct {
    int index;             /* in the shell's numbering: icon `index` of the file */
    int has_id;            /* 1: named by `id`; 0: by `name` */
    unsigned id;           /* the integer resource id */
    const char *name;      /* the string name in UTF-8, or NULL; valid until gd_close */
    int has_language;      /* 16-bit modules and ICO files have none */
    unsigned language;     /* the language of the resource read */
    int readable;          /* its directory and every image's header could be read */
    int image_count;
} gd_group_info;

typedef struct {
    int readable;          /* its header could be read; the four fields below are set only then */
    int width, height;     /* as the image's own header says */
    int bits;              /* bits per pixel as the header says (a PNG: bit depth times channels) */
    int png;               /* stored as PNG, else as a bitmap */
    uint64_t bytes;        /* the image's size as stored */
} gd_image_info;

/* "3.0.0": the release the library comes from. */
GD_API const char *gd_library_version(void);

/* Reads the source at `path`. NULL only when memory runs out; a file that cannot be read gives
 * a handle whose status says so. The file is read while opening and closed before this returns:
 * a file shortened or removed afterwards changes nothing. */
GD_API gd_source *gd_open(const char *path);
/* The same from `size` bytes in memory, which are copied: the caller may free them at once. */
GD_API gd_source *gd_open_memory(const void *bytes, size_t size);
/* Frees the handle and everything it gave out except buffers (gd_free); NULL is ignored. */
GD_API void gd_close(gd_source *source);

GD_API gd_status gd_source_status(const gd_source *source);
GD_API gd_kind gd_source_kind(const gd_source *source);
/* The message of the handle's last failed call (or why the source gives no icons), in English;
 * "" when there is none. Valid until the next call on the handle. */
GD_API const char *gd_message(const gd_source *source);

/* The icon groups, in the resource directory's order (the shell's numbering). */
GD_API int gd_group_count(const gd_source *source);
GD_API gd_error gd_group(gd_source *source, int group, gd_group_info *info);
/* The group whose integer resource id is `id` (a Windows icon location "file,-id"). */
GD_API gd_error gd_group_with_id(gd_source *source, unsigned id, int *group);
GD_API gd_error gd_image(gd_source *source, int group, int image, gd_image_info *info);

/* Group `group` as the ICO file glyphdock-export writes of it (of an ICO file: its bytes). */
GD_API gd_error gd_group_ico(gd_source *source, int group, unsigned char **data, size_t *size);
/* An image as PNG file bytes: a stored PNG byte for byte, a bitmap as 8-bit RGBA. Either is
 * given only when it decodes. */
GD_API gd_error gd_image_png(gd_source *source, int group, int image, unsigned char **data, size_t *size);
/* An image decoded to 8-bit RGBA, rows top-down, width * height * 4 bytes, straight alpha. */
GD_API gd_error gd_image_rgba(gd_source *source, int group, int image, unsigned char **pixels, int *width,
                              int *height);
/* The picture of group `group` for a `size` x `size` place (1 to 65535), as PNG file bytes: the
 * smallest image at least that large (at equal size 32-bit and PNG images first), scaled down to
 * fit; when none is that large, the largest, never scaled up. An image that cannot be decoded
 * is passed over for the next one. */
GD_API gd_error gd_thumbnail(gd_source *source, int group, int size, unsigned char **data, size_t *size_out);

/* The fixed file and product version numbers ("1.2.3.4" as {1, 2, 3, 4}). */
GD_API gd_error gd_version_numbers(gd_source *source, uint16_t file_version[4], uint16_t product_version[4]);
/* The version strings present (ProductName, FileDescription, CompanyName, FileVersion,
 * ProductVersion, OriginalFilename, LegalCopyright, InternalName, in this order), in UTF-8,
 * from the neutral or English table, else the first. Valid until gd_close. */
GD_API int gd_version_string_count(const gd_source *source);
GD_API gd_error gd_version_string(gd_source *source, int i, const char **key, const char **value);
/* The value of `key`, or NULL when the source has none. */
GD_API const char *gd_version_value(const gd_source *source, const char *key);

/* Frees a buffer the library returned; NULL is ignored. */
GD_API void gd_free(void *data);

#ifdef __cplusplus
}
#endif

#endif
