// What an UploadFTPS reports back to the object that started it. Calls arrive on the thread that
// runs the transfer; implementers move user-interface work to the main thread themselves.
#pragma once
#include <QString>

class UploadFTPS;

class UploadFTPSViewDelegate
{
public:
    virtual ~UploadFTPSViewDelegate() = default;
    // One call per queue item with its zero-based index, or one call with NO and index 0 when the
    // connection fails before any item. A NO call is always the last of a run.
    virtual void UploadUpdate(UploadFTPS* sender, bool uploadResult, const QString& uploadDetails,
                              qint32 fileCounter) = 0;
    // One call per mail send, with the mail log.
    virtual void sendMailUpdate(UploadFTPS* sender, bool sendResult, const QString& sendDetails) = 0;
};
