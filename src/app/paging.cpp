#include "app/paging.h"

#include "core/recordstore/recordset.h"

#include <QWidget>

namespace velkaram::paging {

namespace {

bool isEmpty(const rs::Recordset &records)
{
    return records.BOF() && records.AtEnd();
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
        nextButton->setEnabled(false);
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
        prevButton->setEnabled(false);
        records.MoveFirst();
    }
}

} // namespace velkaram::paging
