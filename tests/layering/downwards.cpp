// Built as part of the encyclopedia's layer: the runtime and the core below
// it are there.
#include "app/form.h"
#include "core/recordstore/recordset.h"
#include "encyclopedia/encyclopediaform.h"
