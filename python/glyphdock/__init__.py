"""Icons and version information of Windows program files (32-, 64- and 16-bit modules) and ICO
files, through libglyphdock.

    module = glyphdock.Module("setup.exe")
    for group in module.groups:
        print(group.index, group.id or group.name, [(i.width, i.height, i.bits) for i in group.images])
    open("setup.png", "wb").write(module.thumbnail(256))
    print(module.version.get("ProductName"))

For programs written against the widely used icon-extractor interface, IconExtractor (and its
exceptions) is here too: change the import, nothing else.
"""
import ctypes
import os
from collections import namedtuple

from . import _library
from ._library import lib

__all__ = ["Module", "Group", "Image", "GlyphdockError", "NoIconsError", "CannotReadError", "library_version",
           "IconExtractor", "IconExtractorError", "NoIconsAvailableError", "InvalidIconDefinitionError",
           "IconNotFoundError"]


class GlyphdockError(Exception):
    """A source, group or image that cannot give what was asked."""


class NoIconsError(GlyphdockError):
    """The source holds no icon group that can be read."""


class CannotReadError(GlyphdockError):
    """The source cannot be read, is damaged, or is neither a module nor an ICO file."""


# `bits` as the image's own header says; `png`: stored as PNG; `bytes`: its size as stored.
# An image whose header cannot be read has readable False and the other facts 0.
Image = namedtuple("Image", "readable width height bits png bytes")


class Group:
    """An icon group: `index` (the shell's numbering), `id` (integer resource id, or None),
    `name` (string name, or None), `language` (or None), `readable` and `images`."""

    def __init__(self, info, images):
        self.index = info.index
        self.id = info.id if info.has_id else None
        self.name = info.name.decode("utf-8", "surrogateescape") if info.name is not None else None
        self.language = info.language if info.has_language else None
        self.readable = bool(info.readable)
        self.images = images

    def __repr__(self):
        return "Group(index=%d, id=%r, name=%r, images=%d)" % (self.index, self.id, self.name, len(self.images))


def library_version():
    return lib.gd_library_version().decode()


class Module:
    """A program module or ICO file, from a path or from its bytes (which are copied).

    Raises CannotReadError when the source cannot be read or is neither kind; a source without
    icons opens (its version information may still be there) and its pictures raise
    NoIconsError."""

    def __init__(self, path=None, data=None):
        if path is not None:
            handle = lib.gd_open(os.fsencode(path))
        elif data is not None:
            data = bytes(data)
            handle = lib.gd_open_memory(data, len(data))
        else:
            raise TypeError("Module needs a path or data")
        if not handle:
            raise MemoryError("out of memory")
        self._handle = handle
        status = lib.gd_source_status(handle)
        if status in (_library.STATUS_UNREADABLE, _library.STATUS_NOT_A_MODULE):
            message = self._message()
            self.close()
            raise CannotReadError(message)
        self.no_icons = status == _library.STATUS_NO_ICONS
        self.kind = _library.KINDS.get(lib.gd_source_kind(handle))
        self.groups = [self._group(g) for g in range(lib.gd_group_count(handle))]
        self.version = self._version()

    def close(self):
        if self._handle:
            lib.gd_close(self._handle)
            self._handle = None

    def __del__(self):
        if getattr(self, "_handle", None):
            self.close()

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    def _message(self):
        return lib.gd_message(self._handle).decode("utf-8", "replace")

    def _check(self, error):
        if error == _library.ERROR_MEMORY:
            raise MemoryError(self._message())
        if error:
            raise (NoIconsError if self.no_icons else GlyphdockError)(self._message())

    def _group(self, g):
        info = _library.GroupInfo()
        self._check(lib.gd_group(self._handle, g, ctypes.byref(info)))
        images = []
        for k in range(info.image_count):
            image = _library.ImageInfo()
            self._check(lib.gd_image(self._handle, g, k, ctypes.byref(image)))
            images.append(Image(bool(image.readable), image.width, image.height, image.bits, bool(image.png),
                                image.bytes))
        return Group(info, images)

    def _version(self):
        """The strings present and "file_version"/"product_version" ("1.2.3.4"); {} for none."""
        version = {}
        key, value = ctypes.c_char_p(), ctypes.c_char_p()
        for i in range(lib.gd_version_string_count(self._handle)):
            self._check(lib.gd_version_string(self._handle, i, ctypes.byref(key), ctypes.byref(value)))
            version[key.value.decode()] = value.value.decode("utf-8", "replace")
        file_version, product_version = _library._versions(), _library._versions()
        if lib.gd_version_numbers(self._handle, file_version, product_version) == 0:
            version["file_version"] = ".".join(map(str, file_version))
            version["product_version"] = ".".join(map(str, product_version))
        return version

    def _index(self, group):
        index = group.index if isinstance(group, Group) else group
        if self.no_icons:
            raise NoIconsError(self._message())
        return index

    def group_with_id(self, resource_id):
        """The index of the group whose integer resource id is `resource_id` ("file,-ID")."""
        found = ctypes.c_int()
        self._check(lib.gd_group_with_id(self._handle, resource_id, ctypes.byref(found)))
        return found.value

    def _bytes(self, call, *arguments):
        result = _library.take_bytes(call, self._handle, *arguments)
        if isinstance(result, int):
            self._check(result)
        return result

    def ico(self, group=0):
        """The group as the ICO file glyphdock-export writes of it."""
        return self._bytes(lib.gd_group_ico, self._index(group))

    def png(self, group, image):
        """An image as a PNG file: a stored PNG byte for byte, a bitmap as RGBA."""
        return self._bytes(lib.gd_image_png, self._index(group), image)

    def rgba(self, group, image):
        """An image decoded: (width, height, RGBA bytes, rows top-down)."""
        pixels = ctypes.POINTER(ctypes.c_ubyte)()
        width, height = ctypes.c_int(), ctypes.c_int()
        self._check(lib.gd_image_rgba(self._handle, self._index(group), image, ctypes.byref(pixels),
                                      ctypes.byref(width), ctypes.byref(height)))
        try:
            return width.value, height.value, ctypes.string_at(pixels, width.value * height.value * 4)
        finally:
            lib.gd_free(pixels)

    def thumbnail(self, size, group=0):
        """The group's picture for a size x size place, as PNG (as glyphdock-export --thumbnail)."""
        return self._bytes(lib.gd_thumbnail, self._index(group), size)


from .extractor import (IconExtractor, IconExtractorError, IconNotFoundError,  # noqa: E402
                        InvalidIconDefinitionError, NoIconsAvailableError)
