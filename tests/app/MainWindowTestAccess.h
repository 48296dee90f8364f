// Reading and setting the main window's private state from tests. Shared by
// every test of the window; add accessors here rather than defining a second
// TfrmMainTestAccess.
#pragma once

#include "app/frmMain.h"
#include "store/Database.h"

namespace quorvel {

struct TfrmMainTestAccess {
    static bool& IsEditing(TfrmMain& w) { return w.IsEditing; }
    static bool& HistoryMode(TfrmMain& w) { return w.HistoryMode; }
    static bool& IncrementalSearch(TfrmMain& w) { return w.IncrementalSearch; }
    static bool& SearchContents(TfrmMain& w) { return w.SearchContents; }
    static QString& OriginalText(TfrmMain& w) { return w.OriginalText; }
    static QString& ReturnPageId(TfrmMain& w) { return w.ReturnPageId; }
    static auto& BrowseHistory(TfrmMain& w) { return w.BrowseHistory; }
    static int HistoryIndex(TfrmMain& w) { return w.BrowseHistory.HistoryIndex(); }
    static auto& MarkupContext(TfrmMain& w) { return w.MarkupContext; }
    static std::int32_t& MarkupFlags(TfrmMain& w) { return w.MarkupFlags; }
    static std::int32_t& MarkupFontSize(TfrmMain& w) { return w.MarkupFontSize; }
    static quorvel::Database* Database(TfrmMain& w) { return w.Database.get(); }
    static std::int32_t& FindPosition(TfrmMain& w) { return w.FindPosition; }
    static std::uint8_t& FindOptions(TfrmMain& w) { return w.FindOptions; }
    static QString& FindText(TfrmMain& w) { return w.FindText; }
    static std::int32_t& ShowMarkupHelp(TfrmMain& w) { return w.ShowMarkupHelp; }
};

}  // namespace quorvel
