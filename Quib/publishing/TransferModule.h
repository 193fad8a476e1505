// The transfer module, libquib_transfer.so beside the program: the network code (libcurl, OpenSSL,
// Qt's network library) that only transfers and the Dropbox sign-in need, loaded with the first of them.
#pragma once
#include "platform/LoadableModule.h"

platform::LoadableModule& transferModule();
