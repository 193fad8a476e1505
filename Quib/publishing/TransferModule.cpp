#include "publishing/TransferModule.h"

platform::LoadableModule& transferModule()
{
    static platform::LoadableModule module("libquib_transfer.so", "transfer");
    return module;
}
