"""The C interface of libglyphdock (glyphdock.h) through ctypes, every function typed.

The library is looked for, in this order: the file named by the environment variable
GLYPHDOCK_LIBRARY (a build tree, a test); where `make install` put it, relative to this folder
(_location.py, written at install time); the system's library path.
"""
import ctypes
import os


class GroupInfo(ctypes.Structure):
    _fields_ = [
        ("index", ctypes.c_int),
        ("has_id", ctypes.c_int),
        ("id", ctypes.c_uint),
        ("name", ctypes.c_char_p),
        ("has_language", ctypes.c_int),
        ("language", ctypes.c_uint),
        ("readable", ctypes.c_int),
        ("image_count", ctypes.c_int),
    ]


class ImageInfo(ctypes.Structure):
    _fields_ = [
        ("readable", ctypes.c_int),
        ("width", ctypes.c_int),
        ("height", ctypes.c_int),
        ("bits", ctypes.c_int),
        ("png", ctypes.c_int),
        ("bytes", ctypes.c_uint64),
    ]


def _library_path():
    named = os.environ.get("GLYPHDOCK_LIBRARY")
    if named:
        return named
    try:
        from ._location import LIBRARY
    except ImportError:
        return "libglyphdock.so.0"
    return os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), LIBRARY))


lib = ctypes.CDLL(_library_path())

_source = ctypes.c_void_p
_bytes_out = ctypes.POINTER(ctypes.POINTER(ctypes.c_ubyte))
_size_out = ctypes.POINTER(ctypes.c_size_t)
_int_out = ctypes.POINTER(ctypes.c_int)
_versions = ctypes.c_uint16 * 4

for _name, _result, _arguments in [
    ("gd_library_version", ctypes.c_char_p, []),
    ("gd_open", _source, [ctypes.c_char_p]),
    ("gd_open_memory", _source, [ctypes.c_char_p, ctypes.c_size_t]),
    ("gd_close", None, [_source]),
    ("gd_source_status", ctypes.c_int, [_source]),
    ("gd_source_kind", ctypes.c_int, [_source]),
    ("gd_message", ctypes.c_char_p, [_source]),
    ("gd_group_count", ctypes.c_int, [_source]),
    ("gd_group", ctypes.c_int, [_source, ctypes.c_int, ctypes.POINTER(GroupInfo)]),
    ("gd_group_with_id", ctypes.c_int, [_source, ctypes.c_uint, _int_out]),
    ("gd_image", ctypes.c_int, [_source, ctypes.c_int, ctypes.c_int, ctypes.POINTER(ImageInfo)]),
    ("gd_group_ico", ctypes.c_int, [_source, ctypes.c_int, _bytes_out, _size_out]),
    ("gd_image_png", ctypes.c_int, [_source, ctypes.c_int, ctypes.c_int, _bytes_out, _size_out]),
    ("gd_image_rgba", ctypes.c_int, [_source, ctypes.c_int, ctypes.c_int, _bytes_out, _int_out, _int_out]),
    ("gd_thumbnail", ctypes.c_int, [_source, ctypes.c_int, ctypes.c_int, _bytes_out, _size_out]),
    ("gd_version_numbers", ctypes.c_int, [_source, _versions, _versions]),
    ("gd_version_string_count", ctypes.c_int, [_source]),
    ("gd_version_string", ctypes.c_int,
     [_source, ctypes.c_int, ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(ctypes.c_char_p)]),
    ("gd_version_value", ctypes.c_char_p, [_source, ctypes.c_char_p]),
    ("gd_free", None, [ctypes.c_void_p]),
]:
    _function = getattr(lib, _name)
    _function.restype = _result
    _function.argtypes = _arguments

# gd_status, gd_kind and gd_error of glyphdock.h
STATUS_OK, STATUS_NO_ICONS, STATUS_UNREADABLE, STATUS_NOT_A_MODULE = range(4)
KINDS = {0: None, 1: "pe32", 2: "pe32+", 3: "ne", 4: "ico"}
ERROR_NO_GROUP, ERROR_NO_IMAGE, ERROR_DAMAGED, ERROR_MEMORY, ERROR_NO_VERSION = 2, 3, 4, 5, 6


def take_bytes(call, *arguments):
    """Runs a call that returns a buffer; the bytes, or the error code."""
    data = ctypes.POINTER(ctypes.c_ubyte)()
    size = ctypes.c_size_t()
    error = call(*arguments, ctypes.byref(data), ctypes.byref(size))
    if error:
        return error
    try:
        return ctypes.string_at(data, size.value)
    finally:
        lib.gd_free(data)
