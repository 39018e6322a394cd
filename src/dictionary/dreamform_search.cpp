// Searching the dictionary: the search box, its options and the four kinds
// of search.
#include "dictionary/dreamform.h"

#include "app/forms.h"
#include "core/dictionary/statements.h"
#include "core/recordstore/foldedcopy.h"
#include "core/runtimeerror.h"
#include "core/text/strings.h"
#include "platform/grid/flexgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QApplication>
#include <QThreadPool>

namespace velkaram {

QString DreamForm::searchText() const
{
    return c_->Text1->text().trimmed();
}

void DreamForm::searchPrompt(int stringId)
{
    forms().message({LoadResString(stringId), LoadResString(100), MessageIcon::Information, true});
}

// Opens SearchRecordset on a search statement. Should the store refuse it,
// the user is told, the grid keeps its rows and the program goes on.
bool DreamForm::openSearch(const QString &statement, int cursorType)
{
    try {
        SearchRecordset->Open(statement, SearchConnection.shared(), cursorType, rs::adLockReadOnly);
        return true;
    } catch (const RuntimeError &e) {
        forms().message({QStringLiteral("تعذر تنفيذ البحث.\n%1").arg(e.description()), ProgramTitle,
                         MessageIcon::Critical, true});
        return false;
    }
}

// A search's result in the grid; when it holds no row, the reader's search
// offers the nearest entries.
void DreamForm::fillSearchResult()
{
    FillGrid();
    if (ui().MSFlexGrid1->Rows() == 1)
        offerNearest();
    else
        hideSuggestions();
}

void DreamForm::prepareSearch()
{
    if (searchTicket_ || SearchConnection->State() != rs::adStateOpen)
        return;
    auto promise = std::make_shared<std::promise<std::shared_ptr<rs::FoldedCopy>>>();
    preparedCopy_ = promise->get_future();
    const QString path = SearchConnection->filePath();
    const qint64 budget = SearchConnection->Limits.heldBytes;
    auto ticket = std::make_shared<int>(0);
    searchTicket_ = ticket;
    QThreadPool::globalInstance()->start([this, promise, path, budget, alive = std::weak_ptr<int>(ticket)] {
        std::shared_ptr<rs::FoldedCopy> copy;
        try {
            rs::Connection connection;
            connection.Open(path);
            copy = rs::FoldedCopy::read(connection, DreamTable, budget);
        } catch (const std::exception &) {
            // The search reads the file instead.
        }
        promise->set_value(std::move(copy));
        QMetaObject::invokeMethod(qApp, [this, alive] {
            if (alive.lock())
                guarded([this] { takePreparedSearch(); });
        });
    });
}

// Taken when read, or by a search that comes first: a copy still being read
// is waited for, since reading it again would take longer.
void DreamForm::takePreparedSearch()
{
    if (!preparedCopy_.valid())
        return;
    std::shared_ptr<rs::FoldedCopy> copy = preparedCopy_.get();
    if (copy && SearchConnection->State() == rs::adStateOpen)
        SearchConnection->adoptFoldedCopy(DreamTable, std::move(copy));
}

void DreamForm::Commmand1_Click()
{
    DreamControls &c = ui();
    takePreparedSearch();
    if (searchText().isEmpty()) {
        searchPrompt(100);
        c.Text1->setFocus();
        return;
    }
    if (c.Check1->isChecked()) {
        if (c.Combo1->currentText().isEmpty()) {
            searchPrompt(101);
            c.Combo1->setFocus();
            return;
        }
        if (SearchRecordset->State() == rs::adStateOpen)
            SearchRecordset->Close();
        const QString field = c.Combo1->currentText().trimmed();
        QString statement;
        if (c.Option1->isChecked())
            statement = statements::fieldContains(field, searchText());
        else if (c.Option2->isChecked())
            statement = statements::fieldEquals(field, searchText());
        if (openSearch(statement, rs::adOpenStatic))
            fillSearchResult();
    } else {
        if (c.Option1->isChecked())
            SearchContains();
        else if (c.Option2->isChecked())
            SearchExact();
    }
}

void DreamForm::Text1_KeyPress(int &keyAscii)
{
    if (keyAscii == 13)
        Commmand1_Click();
}

void DreamForm::Check1_Click()
{
    DreamControls &c = ui();
    c.Combo1->setEnabled(c.Check1->isChecked());
}

namespace {

QStringList fieldNames(const rs::Recordset &rs, int from)
{
    QStringList names;
    for (int i = from; i < rs.Fields().Count(); ++i)
        names << rs.Fields(i).Name();
    return names;
}

} // namespace

void DreamForm::SearchContains()
{
    openWholeTable();
    SearchCondition = statements::anyFieldContainsCondition(fieldNames(*SearchRecordset, 0), searchText());
    if (SearchRecordset->State() == rs::adStateOpen)
        SearchRecordset->Close();
    if (openSearch(statements::allFieldsStatement(SearchCondition), rs::adOpenKeyset))
        fillSearchResult();
}

void DreamForm::SearchExact()
{
    openWholeTable();
    SearchCondition = statements::anyFieldEqualsCondition(fieldNames(*SearchRecordset, 1), searchText());
    SkipOnError resume;
    resume([&] {
        if (SearchRecordset->State() == rs::adStateOpen)
            SearchRecordset->Close();
    });
    bool opened = false;
    resume([&] { opened = openSearch(statements::allFieldsStatement(SearchCondition), rs::adOpenKeyset); });
    if (opened)
        resume([&] { fillSearchResult(); });
}

} // namespace velkaram
