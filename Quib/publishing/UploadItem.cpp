// UploadItem is a plain record; everything is inline in its header.
#include "publishing/UploadItem.h"
