#include "app/paging.h"

#include "core/recordstore/recordset.h"

#include <QWidget>

namespace velkaram::paging {

namespace {

bool isEmpty(const rs::Recordset &records)
{
    return records.BOF() && records.AtEnd();
}

// A button that turns itself off hands the keyboard to its pair, rather
// than let it jump on to whatever control comes next in the window.
void disableKeepingFocus(QWidget *button, QWidget *pair)
{
    if (button->window()->focusWidget() == button && pair->isEnabled())
        pair->setFocus(Qt::OtherFocusReason);
    button->setEnabled(false);
}

} // namespace

void first(rs::Recordset &records)
{
    if (!isEmpty(records))
        records.MoveFirst();
}

void last(rs::Recordset &records)
{
    if (!isEmpty(records))
        records.MoveLast();
}

void next(rs::Recordset &records, QWidget *nextButton, QWidget *prevButton)
{
    if (isEmpty(records))
        return;
    records.MoveNext();
    prevButton->setEnabled(true);
    if (records.AtEnd()) {
        disableKeepingFocus(nextButton, prevButton);
        records.MoveLast();
    }
}

void previous(rs::Recordset &records, QWidget *nextButton, QWidget *prevButton)
{
    if (isEmpty(records))
        return;
    records.MovePrevious();
    nextButton->setEnabled(true);
    if (records.BOF()) {
        disableKeepingFocus(prevButton, nextButton);
        records.MoveFirst();
    }
}

} // namespace velkaram::paging
