#include "tool/MoveDuplicate.h"

void MoveOrDuplicateAlongSpan(CallbackBlock* /*callbacks*/, Handle /*settings*/) {}
