#include "engine/VersionInfo.h"

#include "files/TextFunctions.h"

namespace {

constexpr uint32_t FixedSignature = 0xFEEF04BD;
constexpr uint64_t FixedInfoBytes = 52;

uint64_t Align4(uint64_t offset) {
    return (offset + 3) & ~uint64_t{3};
}

struct Block {
    std::string key;
    uint64_t value = 0;     // offset of the value
    uint64_t valueEnd = 0;  // where the value ends by its declared length (cut at the block's end)
    uint64_t children = 0;  // offset of the first child
    uint64_t end = 0;       // offset just past the block
};

class BlockReader {
public:
    BlockReader(ByteSpan resource, bool wideText) : bytes(resource), wide(wideText) {}

    // The block at `at`, which must end by `limit`.
    bool Read(uint64_t at, uint64_t limit, Block& block) const {
        uint16_t length = 0, valueLength = 0, type = 1;
        const uint64_t header = wide ? 6 : 4;
        if (!bytes.U16(at, length) || !bytes.U16(at + 2, valueLength) || (wide && !bytes.U16(at + 4, type)) ||
            length < header || at + length > limit || !bytes.Holds(at, length))
            return false;
        block.end = at + length;
        uint64_t next = 0;
        block.key = Text(at + header, block.end, next);
        block.value = Align4(next);
        // A text value's length counts characters, a binary one's bytes.
        const uint64_t valueBytes = wide && type == 1 ? uint64_t{2} * valueLength : valueLength;
        block.valueEnd = block.value + valueBytes < block.end ? block.value + valueBytes : block.end;
        if (block.value > block.end) block.value = block.valueEnd = block.end;
        block.children = Align4(block.value + valueBytes);
        return true;
    }

    // The NUL-terminated text at `at`, cut at `end`, in UTF-8; `next` is just past its NUL.
    std::string Text(uint64_t at, uint64_t end, uint64_t& next) const {
        std::u16string wideText;
        std::string narrow;
        const uint64_t unit = wide ? 2 : 1;
        for (next = at; next + unit <= end; next += unit) {
            const uint16_t c = wide ? LittleU16(bytes.Data() + next) : bytes.Data()[next];
            if (c == 0) {
                next += unit;
                break;
            }
            if (wide)
                wideText += static_cast<char16_t>(c);
            else
                narrow += static_cast<char>(c);
        }
        return wide ? Utf8FromUtf16(wideText) : Utf8FromWindows1252(narrow);
    }

    // Calls `visit` on each child of `parent`; stops when a child cannot be read.
    template <typename Visit>
    void Children(const Block& parent, Visit visit) const {
        Block child;
        for (uint64_t at = parent.children; at < parent.end && Read(at, parent.end, child); at = Align4(child.end))
            visit(child);
    }

private:
    ByteSpan bytes;
    bool wide;
};

// The neutral language first, then English (United States), then any English, then the rest.
int TableRank(const std::string& key) {
    if (key.size() != 8) return 4;
    const std::string language = key.substr(0, 4);
    if (language == "0000") return 0;
    if (language == "0409") return 1;
    if (language.compare(2, 2, "09") == 0) return 2;
    return 3;
}

}  // namespace

bool ReadVersionInfo(ByteSpan resource, bool wide, VersionInfo& info) {
    info = VersionInfo();
    const BlockReader reader(resource, wide);
    Block root;
    if (!reader.Read(0, resource.Size(), root)) return false;
    uint32_t signature = 0;
    if (root.valueEnd - root.value >= FixedInfoBytes && resource.U32(root.value, signature) &&
        signature == FixedSignature) {
        const unsigned char* p = resource.Data() + root.value;
        // Most significant word first: file version at 8, product version at 16.
        for (int i = 0; i < 4; ++i) {
            info.fileVersion[i] = LittleU16(p + 8 + (i / 2) * 4 + (i % 2 ? 0 : 2));
            info.productVersion[i] = LittleU16(p + 16 + (i / 2) * 4 + (i % 2 ? 0 : 2));
        }
        info.fixed = true;
    }
    Block table;
    int bestRank = 5;
    reader.Children(root, [&](const Block& child) {
        if (child.key != "StringFileInfo") return;
        reader.Children(child, [&](const Block& candidate) {
            const int rank = TableRank(candidate.key);
            if (rank < bestRank) {
                bestRank = rank;
                table = candidate;
            }
        });
    });
    if (bestRank < 5) {
        for (const char* name : VersionStringNames)
            reader.Children(table, [&](const Block& string) {
                if (string.key != name) return;
                for (const auto& known : info.strings)
                    if (known.first == name) return;  // the first of a name counts
                uint64_t next = 0;
                // The value runs to its NUL: some writers declare lengths in bytes, others in
                // characters, with or without the NUL.
                info.strings.emplace_back(name, reader.Text(string.value, string.end, next));
            });
    }
    return info.fixed || !info.strings.empty();
}

std::string VersionText(const uint16_t (&parts)[4]) {
    return std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." + std::to_string(parts[2]) + "." +
           std::to_string(parts[3]);
}

std::string Utf8FromWindows1252(const std::string& text) {
    // 0x80 to 0x9F; 0 where the code page leaves a byte undefined (shown as U+FFFD).
    static const char16_t high[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    std::u16string wide;
    for (const char c : text) {
        const unsigned char b = static_cast<unsigned char>(c);
        const char16_t unit = b >= 0x80 && b < 0xA0 ? high[b - 0x80] : b;
        wide += unit ? unit : u'\uFFFD';
    }
    return Utf8FromUtf16(wide);
}
