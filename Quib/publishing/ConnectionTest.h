// The FTP settings sheet's Test button, minus the windows: upload a tiny page with the given
// settings, then fetch it from the web at the base URL and compare. It runs whole on the calling
// thread (a worker: it blocks on the network), with its own upload delegate, so nothing of one test
// leaks into the next job or into an ordinary upload.
//
//   class Receiver : public ConnectionTestDelegate { … };   // calls arrive on the worker thread
//   QThreadPool::globalInstance()->start([settings, receiver] {
//       UploadFTPS::testConnection(settings, receiver);      // or ConnectionTest::run
//   });
//
// Outcomes and what the sheet shows for them:
//   Success          - alert with the URL and "File Upload Test:  Success \nWeb Access Test: Success"
//   UploadFailed     - "Upload Failed - Please Check Settings", log in connectionLog
//                      (refusedCertificateFingerprint set when TLS refused an unknown certificate)
//   WebAccessFailed  - "File Upload Test:  Success \nWeb Access Test: Failed" naming url
#pragma once
#include <QString>

struct UploadConnectionSettings;

struct ConnectionTestResult
{
    enum class Outcome { Success, UploadFailed, WebAccessFailed };
    Outcome outcome = Outcome::UploadFailed;
    // The address the web check fetched (or would have): base URL + "/app_ftp_test.html".
    QString url;
    // The upload's connection log, for "View Connection Log".
    QString connectionLog;
    QString refusedCertificateFingerprint;
    bool hostKeyChanged = false;
};

class ConnectionTestDelegate
{
public:
    virtual ~ConnectionTestDelegate() = default;
    // The upload half is over (the progress window can go); the web check may follow.
    virtual void connectionTestUploaded(bool uploaded, const QString& connectionLog)
    {
        Q_UNUSED(uploaded);
        Q_UNUSED(connectionLog);
    }
    // Always called once, last.
    virtual void connectionTestFinished(const ConnectionTestResult& result) = 0;
};

class ConnectionTest
{
public:
    static constexpr char kTestFileName[] = "app_ftp_test.html";
    static constexpr char kTestFileContent[] = "Test file";
    static constexpr char kTestFolderName[] = "Test";
    static constexpr int kWebTimeoutMs = 60000;

    static ConnectionTestResult run(const UploadConnectionSettings& settings,
                                    ConnectionTestDelegate* delegate, int webTimeoutMs = kWebTimeoutMs);
    // True when url answers with exactly "Test file"; a fresh copy, never a cached one.
    static bool webCheck(const QString& url, int timeoutMs = kWebTimeoutMs);
};
