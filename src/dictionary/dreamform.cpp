// The dictionary window's start-up, shutdown, display and paging.
#include "dictionary/dreamform.h"

#include "app/forms.h"
#include "app/paging.h"
#include "app/reading.h"
#include "core/reader/readerindex.h"
#include "platform/grid/flexgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

namespace velkaram {

DreamForm::DreamForm(Forms &forms) : Form(forms, QStringLiteral("dream")) {}

DreamForm::~DreamForm() = default;

DreamControls &DreamForm::ui()
{
    window();
    return *c_;
}

void DreamForm::connectHandlers()
{
    DreamControls &c = *c_;
    on(c.Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    on(c.Cmd_Prev, &QPushButton::clicked, [this] { Cmd_Prev_Click(); });
    on(c.Cmd_Next, &QPushButton::clicked, [this] { Cmd_Next_Click(); });
    on(c.Cmd_last, &QPushButton::clicked, [this] { Cmd_last_Click(); });
    on(c.Command2, &QPushButton::clicked, [this] { Command2_Click(); });
    on(c.Command3, &QPushButton::clicked, [this] { Command3_Click(); });
    on(c.Commmand1, &QPushButton::clicked, [this] { Commmand1_Click(); });
    on(c.Commmand2, &QPushButton::clicked, [this] { Commmand2_Click(); });
    // Whatever turns the box (a click, Space, a screen reader's toggle)
    // enables the field list with it.
    on(c.Check1, &QCheckBox::toggled, [this] { Check1_Click(); });
    on(c.MSFlexGrid1, &FlexGrid::Click, [this] { MSFlexGrid1_Click(); });
    onEvent(c.MSFlexGrid1, QEvent::FocusIn, [this] { enterGrid(); });
    onKeyPress(c.Text1, [this](int &code) { Text1_KeyPress(code); });
}

void DreamForm::Form_Load()
{
    DreamControls &c = *c_;
    window()->setWindowTitle(ProgramTitle);

    MainConnection = std::make_shared<rs::Connection>();
    MainConnection->Open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=; Data Source=")
                         + rs::connectionValue(forms().programPath(QStringLiteral("\\kelvra.mdb"))));

    TableConnection = std::make_shared<rs::Connection>();
    TableConnection->Provider = rs::JetProvider;
    TableConnection->ConnectionString =
        QStringLiteral("Data Source=") + rs::connectionValue(forms().programPath(QStringLiteral("\\KELVRA.mdb")));
    TableConnection->Open();

    TableRecordset = std::make_unique<rs::Recordset>();
    TableRecordset->ActiveConnection = TableConnection;
    TableRecordset->CursorType = rs::adOpenDynamic;
    TableRecordset->LockType = rs::adLockOptimistic;
    TableRecordset->Open(QStringLiteral("dream"), TableConnection, rs::adOpenDynamic, rs::adLockOptimistic, rs::adCmdTable);
    // A table without the three fields the window shows is not a dictionary:
    // say so now rather than fail on the first entry.
    for (const QString &field : {KeyField, DreamField, InterpretationField})
        TableRecordset->Fields(field);

    RRefresh();

    if (SearchConnection->State() == rs::adStateClosed)
        OpenDataBase();
    openWholeTable();

    const int n = SearchRecordset->Fields().Count();
    for (int i = 1; i <= n - 2; ++i)
        c.Combo1->addItem(SearchRecordset->Fields(i).Name());
    c.Combo1->setCurrentIndex(-1);

    FlexGrid &grid = *c.MSFlexGrid1;
    grid.setCols(n - 1);
    for (int i = 0; i <= n - 2; ++i) {
        grid.setColWidth(i, 2700);
        grid.setColAlignment(i, 3);
        grid.setTextMatrix(0, i, SearchRecordset->Fields(i).Name());
    }

    Commmand2_Click();

    c.Skin1.LoadSkin(forms().programPath(QStringLiteral("\\KELVRA")));
    c.Skin1.ApplySkin(window());

    // The suggestions' index reads every entry: it waits until the window
    // is on screen rather than share the processor with its first paint.
    afterFirstPaint([this] { startReaderIndex(); });
}

void DreamForm::applyLook(QWidget *to) const
{
    c_->Skin1.ApplySkin(to);
}

void DreamForm::OpenDataBase()
{
    if (SearchConnection->State() == rs::adStateOpen)
        SearchConnection->Close();
    preparedCopy_ = {};
    searchTicket_.reset();
    SearchConnection->CursorLocation = rs::adUseClient;
    SearchConnection->Provider = QStringLiteral("Microsoft.JET.OLEDB.4.0");
    SearchConnection->Open(forms().programPath(QStringLiteral("\\kelvra.mdb")));
}

void DreamForm::Command3_Click()
{
    forms().form(QStringLiteral("A")).show();
    unload();
}

void DreamForm::Command2_Click()
{
    forms().form(QStringLiteral("aboutme")).show();
    hide();
}

void DreamForm::Form_Unload(int &)
{
    forms().form(QStringLiteral("A")).show();
    // The reader search's index is of this opening's table.
    indexTicket_.reset();
    readerIndex_.reset();
    preparedCopy_ = {};
    searchTicket_.reset();
}

void DreamForm::Form_KeyPress(int &keyAscii)
{
    if (keyAscii == 27) {
        // Escape closes the suggestions; the window swallows it either way.
        hideSuggestions();
        keyAscii = 0;
    }
}

void DreamForm::RRefresh()
{
    DreamControls &c = ui();
    if (TableRecordset->BOF() || TableRecordset->AtEnd())
        return;
    c.key->setPlainText(rs::textOf(TableRecordset->Fields(KeyField).Value()));
    c.Item->setPlainText(rs::textOf(TableRecordset->Fields(DreamField).Value()));
    c.discrpt->setPlainText(rs::textOf(TableRecordset->Fields(InterpretationField).Value()));
    rememberShown();
}

void DreamForm::rememberShown()
{
    const DreamControls &c = *c_;
    history_.shown({c.key->toPlainText(), c.Item->toPlainText(), c.discrpt->toPlainText(), c.LabRecord->text()});
}

void DreamForm::revisit(bool forward)
{
    const std::optional<ShownEntry> entry = forward ? history_.forward() : history_.back();
    if (!entry)
        return;
    DreamControls &c = ui();
    c.key->setPlainText(entry->key);
    c.Item->setPlainText(entry->dream);
    c.discrpt->setPlainText(entry->interpretation);
    c.LabRecord->setText(entry->counter);
}

void DreamForm::Command1_Click()
{
    paging::first(*TableRecordset);
    RRefresh();
}

void DreamForm::Cmd_last_Click()
{
    paging::last(*TableRecordset);
    RRefresh();
}

void DreamForm::Cmd_Next_Click()
{
    paging::next(*TableRecordset, ui().Cmd_Next, ui().Cmd_Prev);
    RRefresh();
}

void DreamForm::Cmd_Prev_Click()
{
    paging::previous(*TableRecordset, ui().Cmd_Next, ui().Cmd_Prev);
    RRefresh();
}

} // namespace velkaram
