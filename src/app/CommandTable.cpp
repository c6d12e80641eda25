#include "app/CommandTable.h"

#include "framework/DisplayScale.h"
#include "resource.h"

namespace {
constexpr CommandInfo New{ID_FILE_NEW, 0, "New", EnabledWhen::Always};
constexpr CommandInfo Delete{ID_FILE_DELETE, 10, "Delete", EnabledWhen::CatalogueNotEmpty};
constexpr CommandInfo UndoDelete{ID_FILE_UNDO_DELETE, 9, "Undo", EnabledWhen::RemovedPathsNotEmpty};
constexpr CommandInfo Copy{ID_FILE_COPY, 4, "Copy", EnabledWhen::CatalogueNotEmpty};
constexpr CommandInfo SaveAs{ID_FILE_SAVE_AS, 2, "Save As", EnabledWhen::CatalogueNotEmpty};
constexpr CommandInfo SaveAll{ID_FILE_SAVE_ALL, 8, "Save All", EnabledWhen::CatalogueNotEmpty};
constexpr CommandInfo Exit{ID_FILE_EXIT, NoImage, nullptr, EnabledWhen::Always};
constexpr CommandInfo HelpContents{ID_HELP_CONTENTS, NoImage, nullptr, EnabledWhen::Always};
constexpr CommandInfo About{ID_HELP_ABOUT, 7, nullptr, EnabledWhen::Always};
constexpr CommandInfo Back{ID_PREVIOUS_FILE, 12, "Back", EnabledWhen::NotFirstItem};
constexpr CommandInfo Forward{ID_NEXT_FILE, 13, "Forward", EnabledWhen::NotLastItem};
constexpr CommandInfo Separator{0, 0, nullptr, EnabledWhen::Always};
}  // namespace

const CommandInfo ToolBarCommands[10] = {New,    Delete,  UndoDelete, Separator, Copy,
                                         SaveAs, SaveAll, Separator,  Back,      Forward};
const CommandInfo FileMenuCommands[7] = {New, Delete, UndoDelete, Copy, SaveAs, SaveAll, Exit};
const CommandInfo HelpMenuCommands[2] = {HelpContents, About};

CommandPictures CommandPicturesForScreen() {
    switch (PictureScale()) {
    case 150: return {IDB_COMMANDS_150, 24, 23};
    case 200: return {IDB_COMMANDS_200, 32, 30};
    }
    return {IDB_COMMANDS, 16, 15};
}
