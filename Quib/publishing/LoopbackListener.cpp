#include "publishing/LoopbackListener.h"

#include "publishing/TransferModule.h"

std::unique_ptr<LoopbackListener> makeLoopbackListener(QString& error)
{
    return transferModule().make<LoopbackListener>(kLoopbackListenerFactoryName, kLoopbackListenerVersion, error);
}
