#include "PersistentRecord.h"

#include "ModelContext.h"

void PersistentRecord::fieldChanged()
{
    if (m_context)
        m_context->markDirty(this);
}
