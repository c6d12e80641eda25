#include "engine/SourceInventory.h"

#include "files/TextFunctions.h"

namespace {

SourceKind KindOf(const SourceReading& reading) {
    switch (reading.GetKind()) {
    case SourceReading::Kind::Pe: return reading.ModuleBits() == 64 ? SourceKind::Pe32Plus : SourceKind::Pe32;
    case SourceReading::Kind::Ne: return SourceKind::Ne;
    case SourceReading::Kind::Ico: return SourceKind::Ico;
    case SourceReading::Kind::None: break;
    }
    // A module whose resources cannot be read is still one.
    if (reading.Damaged()) {
        const int bits = reading.ModuleBits();
        if (bits == 64) return SourceKind::Pe32Plus;
        if (bits == 32) return SourceKind::Pe32;
        if (bits == 16) return SourceKind::Ne;
    }
    return SourceKind::None;
}

void NameGroup(const SourceReading& reading, int i, InventoryGroup& group) {
    const size_t at = static_cast<size_t>(i);
    if (reading.GetKind() == SourceReading::Kind::Pe) {
        const PeIconGroup& pe = reading.Module().groups[at];
        group.integer = pe.name.integer;
        group.id = pe.name.id;
        if (!pe.name.integer) group.name = Utf8FromUtf16(pe.name.text);
        group.hasLanguage = pe.found;
        group.language = pe.language;
    } else if (reading.GetKind() == SourceReading::Kind::Ne) {
        const uint16_t id = reading.Table().groups[at].id;
        group.integer = (id & NeIntegerIdFlag) != 0;
        group.id = static_cast<uint16_t>(id & ~NeIntegerIdFlag);
        if (!group.integer) group.name = Utf8FromWindows1252(NeGroupName(reading.Bytes(), reading.Table(), at));
    }
}

}  // namespace

SourceInventory TakeInventory(const SourceReading& reading) {
    SourceInventory inventory;
    inventory.kind = KindOf(reading);
    if (!reading.Opened() || reading.Damaged()) {
        inventory.status = SourceStatus::Unreadable;
        return inventory;
    }
    if (inventory.kind == SourceKind::None) return inventory;
    bool wide = false;
    const ByteSpan version = reading.VersionResource(wide);
    inventory.hasVersion = !version.Empty() && ReadVersionInfo(version, wide, inventory.version);
    bool anyRead = false;
    for (int i = 0; i < reading.IconCount(); ++i) {
        InventoryGroup group;
        group.index = i;
        if (reading.GetKind() == SourceReading::Kind::Ico) group.integer = false;
        NameGroup(reading, i, group);
        std::vector<ByteSpan> images;
        group.readable = reading.Images(i, images) && !images.empty();
        for (const ByteSpan& image : images) {
            InventoryImage facts;
            facts.bytes = image.Size();
            facts.readable = IconImageFacts(image, facts.facts);
            group.readable = group.readable && facts.readable;
            group.images.push_back(facts);
        }
        anyRead = anyRead || group.readable;
        inventory.groups.push_back(std::move(group));
    }
    inventory.status = anyRead ? SourceStatus::Ok : SourceStatus::NoIcons;
    return inventory;
}
