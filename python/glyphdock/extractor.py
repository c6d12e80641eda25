"""IconExtractor: the interface of the widely used Python icon-extractor library (as its 0.2
releases document it) over libglyphdock, so that a launcher written against it changes its
import only. It reads 16-bit modules and damaged files too, and never raises anything but
IconExtractorError and its subclasses for a file it cannot use.
"""
import io

from . import CannotReadError, GlyphdockError, Module


class IconExtractorError(Exception):
    """The base of every error IconExtractor raises."""


class NoIconsAvailableError(IconExtractorError):
    """The file holds no icon group."""


class InvalidIconDefinitionError(IconExtractorError):
    """The icon group asked for is damaged and cannot be written as an ICO file."""


class IconNotFoundError(IconExtractorError):
    """No icon group of that index or resource id."""


class IconExtractor:
    def __init__(self, filename=None, data=None):
        """Reads a program from `filename`, or from `data` (its bytes) when no filename is given."""
        try:
            self._module = Module(path=filename) if filename is not None else Module(data=data)
        except CannotReadError as error:
            raise IconExtractorError(str(error)) from None
        if not self._module.groups:
            raise NoIconsAvailableError("%s has no icon groups" % (filename if filename is not None else "data"))

    def list_group_icons(self):
        """One (name, index) tuple per icon group, in the shell's numbering: name is the integer
        resource id or the string name."""
        return [(group.id if group.id is not None else group.name, group.index) for group in self._module.groups]

    def _group(self, num, resource_id):
        if resource_id is not None:
            try:
                return self._module.group_with_id(resource_id)
            except GlyphdockError:
                raise IconNotFoundError("no icon group with resource id %r" % (resource_id,)) from None
        if not 0 <= num < len(self._module.groups):
            raise IconNotFoundError("no icon group %d: the file has %d" % (num, len(self._module.groups)))
        return num

    def get_icon(self, num=0, resource_id=None):
        """Icon group `num` (or the one of integer resource id `resource_id`) as an ICO file in an
        io.BytesIO."""
        group = self._group(num, resource_id)
        try:
            return io.BytesIO(self._module.ico(group))
        except GlyphdockError as error:
            raise InvalidIconDefinitionError(str(error)) from None

    def export_icon(self, filename, num=0, resource_id=None):
        """Writes icon group `num` (or that of `resource_id`) as an ICO file at `filename`."""
        data = self.get_icon(num=num, resource_id=resource_id).getvalue()
        with open(filename, "wb") as file:
            file.write(data)
