// The encyclopedia window's start-up, display, paging and exit.
#include "encyclopedia/encyclopediaform.h"

#include "app/forms.h"
#include "app/paging.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

namespace velkaram {

const QString EncyclopediaCaption = QStringLiteral("موسوعة Velkaram");

const QString SayingCommentary = QStringLiteral(
    "مقصود الحديث : أن الرؤيا فيها إشعار للمؤمن بخير سيقع ليغتنمه أو بشر سيقع "
    "ليجتنبه ويحذر منه ويأخذ أهبته واستعداده فهي من هذا الوجه جزء من ستة وأربعين "
    "جزءا من النبوة لأن فيها إخبارا لهذا المؤمن بأمر غيب لم يقع ، وإن كان لا يمكن "
    "الجزم والقطع بهذه الرؤيا إلا إذا وقعت لأنه قد يخطئ الذي عبرها وقد تكون على خلاف "
    "ما ظن أو على خلاف ما توهم .");

EncyclopediaForm::EncyclopediaForm(Forms &forms) : Form(forms, QStringLiteral("encyclopidia")) {}

EncyclopediaForm::~EncyclopediaForm() = default;

EncyclopediaControls &EncyclopediaForm::ui()
{
    window();
    return *c_;
}

void EncyclopediaForm::connectHandlers()
{
    EncyclopediaControls &c = *c_;
    on(c.Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    on(c.Cmd_last, &QPushButton::clicked, [this] { Cmd_last_Click(); });
    on(c.Cmd_Next, &QPushButton::clicked, [this] { Cmd_Next_Click(); });
    on(c.Cmd_Prev, &QPushButton::clicked, [this] { Cmd_Prev_Click(); });
    on(c.Command2, &QPushButton::clicked, [this] { Command2_Click(); });
}

void EncyclopediaForm::Form_Load()
{
    window()->setWindowTitle(EncyclopediaCaption);
    c_->Text1->setPlainText(SayingCommentary);

    EncyclopediaConnection = std::make_shared<rs::Connection>();
    EncyclopediaConnection->Provider = rs::JetProvider;
    EncyclopediaConnection->ConnectionString =
        QStringLiteral("Data Source=") + rs::connectionValue(forms().programPath(QStringLiteral("\\KELVRA.mdb")));
    EncyclopediaConnection->Open();

    EncyclopediaRecordset = std::make_unique<rs::Recordset>();
    EncyclopediaRecordset->ActiveConnection = EncyclopediaConnection;
    EncyclopediaRecordset->CursorType = rs::adOpenDynamic;
    EncyclopediaRecordset->LockType = rs::adLockOptimistic;
    EncyclopediaRecordset->Open(QStringLiteral("encyclopidia"), EncyclopediaConnection, rs::adOpenDynamic,
                                rs::adLockOptimistic, rs::adCmdTable);
    // A table without the two fields is not the encyclopedia: say so now,
    // even when it holds no article to show.
    for (const QString &field : {SubtopicField, BodyField})
        EncyclopediaRecordset->Fields(field);

    RRefresh();

    // Borrowing the dictionary's skin loads that window, hidden, when it is
    // not loaded yet: its whole start-up runs first.
    forms().form(QStringLiteral("dream")).lendLook(window());
}

void EncyclopediaForm::RRefresh()
{
    EncyclopediaControls &c = ui();
    if (EncyclopediaRecordset->BOF() || EncyclopediaRecordset->AtEnd())
        return;
    // A Null field shows as empty text.
    c.suubtopi->setText(rs::textOf(EncyclopediaRecordset->Fields(SubtopicField).Value()));
    c.text->setPlainText(rs::textOf(EncyclopediaRecordset->Fields(BodyField).Value()));
}

void EncyclopediaForm::Command1_Click()
{
    paging::first(*EncyclopediaRecordset);
    RRefresh();
}

void EncyclopediaForm::Cmd_last_Click()
{
    paging::last(*EncyclopediaRecordset);
    RRefresh();
}

void EncyclopediaForm::Cmd_Next_Click()
{
    paging::next(*EncyclopediaRecordset, ui().Cmd_Next, ui().Cmd_Prev);
    RRefresh();
}

void EncyclopediaForm::Cmd_Prev_Click()
{
    paging::previous(*EncyclopediaRecordset, ui().Cmd_Next, ui().Cmd_Prev);
    RRefresh();
}

void EncyclopediaForm::Command2_Click()
{
    forms().form(QStringLiteral("A")).show();
    unload();
}

void EncyclopediaForm::Form_Unload(int &)
{
    forms().form(QStringLiteral("A")).show();
}

} // namespace velkaram
