#pragma once

class QWidget;

namespace velkaram {

namespace rs {
class Recordset;
}

// The First, Prev, Next and Last rules by which a window pages one record at
// a time through a recordset. Only Next and Prev touch the buttons: Next on
// the last record disables Next and stays there, Prev on the first record
// disables Prev; each one enables the other. An empty recordset has nowhere
// to move to, so every step then does nothing.
namespace paging {

void first(rs::Recordset &records);
void last(rs::Recordset &records);
void next(rs::Recordset &records, QWidget *nextButton, QWidget *prevButton);
void previous(rs::Recordset &records, QWidget *nextButton, QWidget *prevButton);

} // namespace paging

} // namespace velkaram
