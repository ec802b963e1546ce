#include "cli/verbs.h"

// TODO: the import verb.
int Verbs::import(const QStringList &)
{
    return 1;
}
