#include "publishing/ConnectionTest.h"

#include "publishing/CurlSession.h"
#include "publishing/UploadFTPS.h"
#include "publishing/UploadFTPSViewDelegate.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

namespace {

// The test's own receiver of the upload calls: nothing is shared with any other job.
class TestUploadDelegate : public UploadFTPSViewDelegate
{
public:
    void UploadUpdate(UploadFTPS*, bool uploadResult, const QString& uploadDetails, qint32) override
    {
        calls += 1;
        uploaded = uploadResult;
        log = uploadDetails;
    }
    void sendMailUpdate(UploadFTPS*, bool, const QString&) override {}

    int calls = 0;
    bool uploaded = false;
    QString log;
};

// Anything bigger than this is not our 9-byte page.
constexpr qint64 kMaxTestBody = 64 * 1024;

} // namespace

ConnectionTestResult ConnectionTest::run(const UploadConnectionSettings& settings,
                                         ConnectionTestDelegate* delegate, int webTimeoutMs)
{
    ConnectionTestResult result;
    result.url = settings.baseURL + u'/' + QLatin1String(kTestFileName);

    // A private folder per test: a fixed name in a shared temporary folder could be planted.
    QTemporaryDir folder;
    const QString localPath = folder.filePath(QLatin1String(kTestFileName));
    QFile file(localPath);
    if (folder.isValid() && file.open(QIODevice::WriteOnly))
        file.write(kTestFileContent, qint64(sizeof(kTestFileContent) - 1));
    file.close();

    UploadItem item;
    item.setLocalPath(localPath);
    item.setRemoteFolder(QString());
    item.setRemoteFileName(QLatin1String(kTestFileName));

    TestUploadDelegate receiver;
    UploadFTPS upload;
    upload.setDelegate(&receiver);
    upload.applySettings(settings);
    upload.setUploadItemArray({item});
    upload.createNewFolder(QLatin1String(kTestFolderName));
    upload.uploadSingleFile();

    const bool uploaded = receiver.calls > 0 && receiver.uploaded;
    result.connectionLog = receiver.log;
    result.refusedCertificateFingerprint = upload.refusedCertificateFingerprint();
    result.hostKeyChanged = upload.hostKeyChanged();
    if (delegate)
        delegate->connectionTestUploaded(uploaded, result.connectionLog);
    if (!uploaded)
        result.outcome = ConnectionTestResult::Outcome::UploadFailed;
    else
        result.outcome = webCheck(result.url, webTimeoutMs) ? ConnectionTestResult::Outcome::Success
                                                            : ConnectionTestResult::Outcome::WebAccessFailed;
    if (delegate)
        delegate->connectionTestFinished(result);
    return result;
}

bool ConnectionTest::webCheck(const QString& url, int timeoutMs)
{
    const QUrl address(url, QUrl::StrictMode);
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || address.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return false;
    CurlSession session;
    session.setTotalTimeLimit(timeoutMs);
    QByteArray body;
    return session.get(address.toEncoded(), body, kMaxTestBody) && session.responseCode() / 100 == 2 &&
           body == QByteArray(kTestFileContent);
}
