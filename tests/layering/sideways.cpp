// Built as part of the encyclopedia's layer: another window's header must
// not be found.
#include "dictionary/dreamform.h"
