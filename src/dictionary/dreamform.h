#pragma once

#include "app/autoref.h"
#include "app/form.h"
#include "core/dictionary/history.h"
#include "platform/skin/skin.h"
#include "core/dictionary/fields.h"
#include "core/recordstore/connection.h"
#include "core/recordstore/recordset.h"

#include <future>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QListWidget;
class QTimer;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTextEdit;

namespace velkaram {

class FlexGrid;

namespace reader {
class ReaderIndex;
struct Suggestion;
}


struct DreamControls {
    QFrame *Frame1, *Frame3;
    QPushButton *Commmand1, *Commmand2, *Command1, *Command2, *Command3, *Cmd_last, *Cmd_Next, *Cmd_Prev;
    QLineEdit *Text1;
    QRadioButton *Option1, *Option2;
    QCheckBox *Check1;
    QComboBox *Combo1;
    QLabel *SkinLabel1, *SkinLabel2, *SkinLabel3, *SkinLabel4, *LabRecord;
    QTextEdit *key, *Item, *discrpt;
    FlexGrid *MSFlexGrid1;
    Skin Skin1;
    // Beyond the design: the reader's suggestions under the search box.
    QListWidget *Suggestions;
    QTimer *SuggestTimer;
};

// An entry as the window showed it, with the record counter of the moment.
struct ShownEntry {
    QString key, dream, interpretation, counter;
    bool operator==(const ShownEntry &) const = default;
};

// The dictionary window: one dream entry at a time, paging, search and the
// results grid.
class DreamForm : public Form {
public:
    explicit DreamForm(Forms &forms);
    ~DreamForm() override;

    // The controls; touching them loads the window hidden.
    DreamControls &ui();
    Skin &Skin1() { return ui().Skin1; }

    void RRefresh();
    void OpenDataBase();

    // Handlers, run by the controls and callable as the user would.
    void Command1_Click();
    void Cmd_Prev_Click();
    void Cmd_Next_Click();
    void Cmd_last_Click();
    void Command2_Click();
    void Command3_Click();
    void Commmand1_Click();
    void Commmand2_Click();
    void Check1_Click();
    void Text1_KeyPress(int &keyAscii);
    void MSFlexGrid1_Click();

    // The reader's search beside the designed one: suggestions as the
    // reader types, the nearest entries when a search finds nothing.
    bool suggestionsShown() const;
    // What the list shows, line by line, as the reader reads it.
    QStringList suggestionLines() const;
    // Shows the entry of the chosen suggestion (line from 0), as a grid click
    // shows an entry.
    void chooseSuggestion(int line);
    // Whether the index the suggestions come from is built.
    bool readerSearchReady() const { return readerIndex_ != nullptr; }

    // Back (Alt+Left) and forward (Alt+Right) among the entries shown in the
    // session, however they were shown.
    void revisit(bool forward);

    // Data objects; they outlive the controls.
    std::shared_ptr<rs::Connection> MainConnection;
    std::shared_ptr<rs::Connection> TableConnection;
    std::unique_ptr<rs::Recordset> TableRecordset;
    AutoRef<rs::Connection> SearchConnection;
    AutoRef<rs::Recordset> SearchRecordset;
    AutoRef<rs::Recordset> LookupRecordset;
    QString SearchCondition;

protected:
    void createControls(QWidget *window) override;
    void releaseControls() override;
    void Form_Load() override;
    void Form_Unload(int &cancel) override;
    void Form_KeyPress(int &keyAscii) override;
    void applyLook(QWidget *to) const override;

private:
    void connectHandlers();
    void FillGrid();
    void openWholeTable();
    void SearchContains();
    void SearchExact();
    QString searchText() const;
    void searchPrompt(int stringId);
    bool openSearch(const QString &statement, int cursorType);
    void showLookup(const QString &statement);
    void fillSearchResult();
    void enterGrid();

    void createSuggestions(QWidget *window);
    void startReaderIndex();
    // The table's folded copy for the searches is read by a worker once the
    // reader starts typing, so that the first search need not read it.
    void prepareSearch();
    void takePreparedSearch();
    void readerIndexReady(std::shared_ptr<reader::ReaderIndex> index);
    void updateSuggestions();
    void offerNearest();
    void showSuggestions(const std::vector<reader::Suggestion> &rows, const QString &heading);
    void hideSuggestions();
    bool suggestionKey(int key);
    void rememberShown();

    std::unique_ptr<DreamControls> c_;
    // The reader search's index of the open table, once built; the ticket
    // of the build under way, which a reload or the end makes stale.
    std::shared_ptr<reader::ReaderIndex> readerIndex_;
    std::shared_ptr<int> indexTicket_;
    std::future<std::shared_ptr<rs::FoldedCopy>> preparedCopy_;
    // Set while a worker's copy is for this opening: the copy is read once.
    std::shared_ptr<int> searchTicket_;
    bool suggestWhenReady_ = false;
    QString nearestWhenReady_;
    // For the session, across openings of the window.
    History<ShownEntry> history_;
};

} // namespace velkaram
