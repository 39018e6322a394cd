#pragma once

#include "app/form.h"
#include "core/recordstore/connection.h"
#include "core/recordstore/recordset.h"

#include <memory>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QWidget;

namespace velkaram {

// The fields of table encyclopidia that the window shows, read by name.
inline const QString SubtopicField = QStringLiteral("suubtopi");
inline const QString BodyField = QStringLiteral("text");

// The caption, which the main menu also uses as its tooltip, and the fixed
// commentary on the saying that Image1 shows.
extern const QString EncyclopediaCaption;
extern const QString SayingCommentary;

struct EncyclopediaControls {
    QFrame *Frame1;
    QLineEdit *suubtopi;
    QTextEdit *text, *Text1;
    QWidget *Picture2;
    QLabel *Image1;
    QPushButton *Command1, *Cmd_last, *Cmd_Next, *Cmd_Prev, *Command2;
};

// The encyclopedia window: pages through the articles one at a time, with a
// saying and its commentary below. It wears the dictionary's skin.
class EncyclopediaForm : public Form {
public:
    explicit EncyclopediaForm(Forms &forms);
    ~EncyclopediaForm() override;

    // The controls; touching them loads the window hidden.
    EncyclopediaControls &ui();

    void RRefresh();

    // Handlers, run by the controls and callable as the user would.
    void Command1_Click();
    void Cmd_last_Click();
    void Cmd_Next_Click();
    void Cmd_Prev_Click();
    void Command2_Click();

    // Data objects; they outlive the controls and are replaced at each load.
    std::shared_ptr<rs::Connection> EncyclopediaConnection;
    std::unique_ptr<rs::Recordset> EncyclopediaRecordset;

protected:
    void createControls(QWidget *window) override;
    void releaseControls() override;
    void Form_Load() override;
    void Form_Unload(int &cancel) override;

private:
    void connectHandlers();

    std::unique_ptr<EncyclopediaControls> c_;
};

} // namespace velkaram
