"""The Python module over the plain library, against the files glyphdock-export writes of the same
sources (GLYPHDOCK_EXPORT, GLYPHDOCK_FIXTURES; run by ctest)."""
import os
import subprocess
import tempfile
import unittest

import glyphdock

EXPORT = os.environ["GLYPHDOCK_EXPORT"]
FIXTURES = os.environ["GLYPHDOCK_FIXTURES"]


def fixture(name):
    return os.path.join(FIXTURES, name)


class ExporterFiles(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def export(self, *arguments):
        """The files the exporter writes into a fresh folder, by name."""
        out = tempfile.mkdtemp(dir=self.folder.name)
        subprocess.run([EXPORT, *[a.replace("OUT", out) for a in arguments]], capture_output=True)
        return {name: open(os.path.join(out, name), "rb").read() for name in os.listdir(out)}

    def test_ico_png_and_thumbnail_are_the_exporters_files(self):
        for name in ("icons.dll", "old.exe"):
            stem = name.split(".")[0]
            with open(fixture(name), "rb") as file:
                data = file.read()
            module, from_bytes = glyphdock.Module(fixture(name)), glyphdock.Module(data=data)
            icos, pngs = self.export("OUT", fixture(name)), self.export("--png", "OUT", fixture(name))
            self.assertTrue(icos and pngs)
            for group in module.groups:
                ico = icos.get("%s_%03d.ico" % (stem, group.index))
                if ico is None:  # icons.dll's group 1 holds an image cut short
                    self.assertRaises(glyphdock.GlyphdockError, module.ico, group)
                else:
                    self.assertEqual(module.ico(group), ico)
                    self.assertEqual(from_bytes.ico(group.index), ico)
                for k, image in enumerate(group.images):
                    png = pngs.get("%s_%03d_%dx%dx%d.png" % (stem, group.index, image.width, image.height, image.bits))
                    if png is None:
                        self.assertRaises(glyphdock.GlyphdockError, module.png, group, k)
                    else:
                        self.assertEqual(module.png(group, k), png)
                for size in (16, 20, 32, 40, 48, 64, 256):
                    thumbnail = self.export("--group", str(group.index), "--thumbnail", str(size), fixture(name),
                                            "OUT/t.png")["t.png"]
                    self.assertEqual(module.thumbnail(size, group.index), thumbnail, (name, group.index, size))
        width, height, pixels = glyphdock.Module(fixture("icons.dll")).rgba(1, 0)
        self.assertEqual((width, height, len(pixels)), (32, 32, 32 * 32 * 4))

    def test_groups_images_and_version_as_built(self):
        module = glyphdock.Module(fixture("icons.dll"))
        self.assertEqual(module.kind, "pe32+")
        self.assertEqual([(g.index, g.id, g.name, g.language) for g in module.groups],
                         [(0, None, "MAIN", 1033), (1, 7, None, 0), (2, 9, None, 0)])
        self.assertEqual(module.groups[0].images,
                         [glyphdock.Image(True, 16, 16, 4, False, 296), glyphdock.Image(True, 32, 32, 32, False, 4264),
                          glyphdock.Image(True, 48, 48, 32, True, 9332)])
        self.assertEqual(module.version, {"ProductName": "Dock", "CompanyName": "Maker", "FileVersion": "1.2",
                                          "file_version": "1.2.3.4", "product_version": "4.3.2.1"})
        self.assertEqual(glyphdock.library_version(), open(os.path.join(os.path.dirname(__file__), "..", "..",
                                                                        "VERSION")).read().strip())

    def test_sources_without_icons_or_damaged_raise_the_error_classes(self):
        noicons = glyphdock.Module(fixture("noicons.dll"))
        self.assertEqual((noicons.groups, noicons.version["ProductName"]), ([], "Dock"))
        self.assertRaises(glyphdock.NoIconsError, noicons.thumbnail, 48)
        for name in ("damaged.dll", "notes.txt", "missing.exe"):
            self.assertRaises(glyphdock.CannotReadError, glyphdock.Module, fixture(name))
        data = open(fixture("icons.dll"), "rb").read()
        for cut in range(0, len(data), 97):  # whatever a cut source gives, it raises nothing else
            try:
                module = glyphdock.Module(data=data[:cut])
                for group in module.groups:
                    for call in (module.ico, lambda g: module.thumbnail(40, g), lambda g: module.png(g, 0)):
                        try:
                            call(group)
                        except glyphdock.GlyphdockError:
                            pass
            except glyphdock.GlyphdockError:
                pass


class IconExtractorInterface(unittest.TestCase):
    def test_get_icon_list_and_export_as_the_exporter_writes(self):
        with tempfile.TemporaryDirectory() as out:
            subprocess.run([EXPORT, out, fixture("icons.dll")], capture_output=True)
            group0 = open(os.path.join(out, "icons_000.ico"), "rb").read()
            group2 = open(os.path.join(out, "icons_002.ico"), "rb").read()
            extractor = glyphdock.IconExtractor(fixture("icons.dll"))
            self.assertEqual(extractor.get_icon().getvalue(), group0)
            self.assertEqual(extractor.list_group_icons(), [("MAIN", 0), (7, 1), (9, 2)])
            self.assertEqual(extractor.get_icon(resource_id=9).getvalue(), group2)
            extractor.export_icon(os.path.join(out, "again.ico"), num=2)
            self.assertEqual(open(os.path.join(out, "again.ico"), "rb").read(), group2)
        self.assertEqual(glyphdock.IconExtractor(data=open(fixture("old.exe"), "rb").read()).list_group_icons(),
                         [(1, 0)])
        self.assertRaises(glyphdock.InvalidIconDefinitionError, extractor.get_icon, 1)
        self.assertRaises(glyphdock.IconNotFoundError, extractor.get_icon, 3)
        self.assertRaises(glyphdock.IconNotFoundError, extractor.get_icon, resource_id=5)
        self.assertRaises(glyphdock.NoIconsAvailableError, glyphdock.IconExtractor, fixture("noicons.dll"))
        self.assertRaises(glyphdock.IconExtractorError, glyphdock.IconExtractor, fixture("notes.txt"))


if __name__ == "__main__":
    unittest.main()
