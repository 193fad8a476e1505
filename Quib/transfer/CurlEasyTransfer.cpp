// The transfer module: CurlSession's connection, on libcurl and, for FTPS certificate checks, the
// OpenSSL that curl itself uses.
#include "publishing/CurlTransfer.h"

#include <QFile>

#include <cstring>

#include <curl/curl.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

class CurlEasyTransfer final : public CurlTransfer
{
public:
    CurlEasyTransfer();
    ~CurlEasyTransfer() override;

    void setCredentials(const QString& userName, const QString& password) override;
    void setPassive(bool passive) override;
    void requireTls(const QString& caFile, const QString& trustedFingerprint) override;
    void useKnownHosts(const QString& knownHostsFile) override;
    void setTimeLimits(int connectMs, int idleMs) override;
    void setTotalTimeLimit(int ms) override;
    void setVerboseTrace(bool verbose) override;

    bool probe(const QByteArray& url) override;
    bool quote(const QByteArray& url, const QList<QByteArray>& commands) override;
    bool put(const QByteArray& url, const QString& localPath, const QList<QByteArray>& commandsFirst) override;
    bool get(const QByteArray& url, QByteArray& body, qint64 maxBytes) override;
    bool post(const QByteArray& url, const QList<QByteArray>& headers, const QByteArray& body,
              QByteArray& response, qint64 maxBytes) override;
    bool sendMail(const QByteArray& url, const QByteArray& from, const QList<QByteArray>& recipients,
                  const QByteArray& message) override;

    QString errorText() const override { return m_errorText; }
    int resultCode() const override { return m_resultCode; }
    long responseCode() const override;
    QString entryPath() const override;
    bool sshAuthenticated() const override { return m_sshAuthenticated; }
    bool hostKeyChanged() const override { return m_hostKeyChanged; }
    QString refusedCertificateFingerprint() const override { return m_refusedFingerprint; }
    QString trace() const override { return m_trace; }

    bool activeTlsDataWorks() const override;

    // Called from curl's C callbacks.
    void appendTrace(int type, const char* data, size_t size);
    int checkCertificate(int preverifyOk, void* storeContext);
    int checkHostKey(int match);
    void prepareTlsContext(void* sslContext);

private:
    bool perform(const QByteArray& url);
    // perform() with the request body read from source by read.
    bool performUpload(const QByteArray& url, size_t (*read)(char*, size_t, size_t, void*), void* source,
                       qint64 size);
    int runTransfer();
    void reset();

    CURL* m_curl = nullptr;
    CURLM* m_multi = nullptr;
    char m_errorBuffer[CURL_ERROR_SIZE] = {};
    curl_slist* m_commands = nullptr;
    curl_slist* m_headers = nullptr;
    curl_slist* m_recipients = nullptr;
    QByteArray m_password;
    QString m_errorText;
    int m_resultCode = 0;
    bool m_verbose = false;
    bool m_sshAuthenticated = false;
    bool m_hostKeyChanged = false;
    // Inside a SASL exchange: the client's answers carry the secret, whatever the mechanism.
    bool m_inAuthExchange = false;
    QString m_trustedFingerprint;
    QString m_refusedFingerprint;
    QString m_trace;
};

namespace {

// The trace is for reading, not for keeping a whole site's transfer: past this it stops growing.
constexpr qsizetype kMaxTraceChars = 2 * 1024 * 1024;
// The longest a transfer sleeps before looking at its sockets again.
constexpr int kLongestWaitMs = 5;

int onDebug(CURL*, curl_infotype type, char* data, size_t size, void* session)
{
    static_cast<CurlEasyTransfer*>(session)->appendTrace(type, data, size);
    return 0;
}

size_t discardBody(char*, size_t size, size_t count, void*)
{
    return size * count;
}

struct Download
{
    QByteArray* body = nullptr;
    qint64 maxBytes = 0;
};

size_t collectBody(char* data, size_t size, size_t count, void* target)
{
    auto* download = static_cast<Download*>(target);
    const size_t bytes = size * count;
    if (download->body->size() + qint64(bytes) > download->maxBytes)
        return 0; // more than the caller can want: abort
    download->body->append(data, qsizetype(bytes));
    return bytes;
}

size_t readFile(char* buffer, size_t size, size_t count, void* file)
{
    const qint64 got = static_cast<QFile*>(file)->read(buffer, qint64(size * count));
    return got < 0 ? CURL_READFUNC_ABORT : size_t(got);
}

struct Outgoing
{
    const QByteArray* bytes = nullptr;
    qsizetype offset = 0;
};

size_t readBuffer(char* buffer, size_t size, size_t count, void* source)
{
    auto* outgoing = static_cast<Outgoing*>(source);
    const qsizetype left = outgoing->bytes->size() - outgoing->offset;
    const qsizetype chunk = qMin(left, qsizetype(size * count));
    memcpy(buffer, outgoing->bytes->constData() + outgoing->offset, size_t(chunk));
    outgoing->offset += chunk;
    return size_t(chunk);
}

int sessionIndex()
{
    static const int index = SSL_CTX_get_ex_new_index(0, nullptr, nullptr, nullptr, nullptr);
    return index;
}

int onVerify(int preverifyOk, X509_STORE_CTX* storeContext)
{
    auto* ssl =
        static_cast<SSL*>(X509_STORE_CTX_get_ex_data(storeContext, SSL_get_ex_data_X509_STORE_CTX_idx()));
    auto* session =
        ssl ? static_cast<CurlEasyTransfer*>(SSL_CTX_get_ex_data(SSL_get_SSL_CTX(ssl), sessionIndex())) : nullptr;
    return session ? session->checkCertificate(preverifyOk, storeContext) : preverifyOk;
}

CURLcode onSslContext(CURL*, void* sslContext, void* session)
{
    static_cast<CurlEasyTransfer*>(session)->prepareTlsContext(sslContext);
    return CURLE_OK;
}

int onHostKey(CURL*, const curl_khkey*, const curl_khkey*, curl_khmatch match, void* session)
{
    return static_cast<CurlEasyTransfer*>(session)->checkHostKey(int(match));
}

QByteArray commandWord(const QByteArray& line)
{
    const qsizetype space = line.indexOf(' ');
    return (space < 0 ? line : line.left(space)).trimmed().toUpper();
}

} // namespace

CurlEasyTransfer::CurlEasyTransfer()
{
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    Q_UNUSED(initialised);
    CURL* curl = curl_easy_init();
    m_multi = curl_multi_init();
    if (!curl || !m_multi) {
        if (curl)
            curl_easy_cleanup(curl);
        return;
    }
    m_curl = curl;
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, m_errorBuffer);
    // Always verbose, always through our callback: nothing reaches stderr and every line is redacted.
    curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, onDebug);
    curl_easy_setopt(curl, CURLOPT_DEBUGDATA, this);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discardBody);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp,sftp,http,https");
    curl_easy_setopt(curl, CURLOPT_SSH_AUTH_TYPES, long(CURLSSH_AUTH_PASSWORD));
}

CurlEasyTransfer::~CurlEasyTransfer()
{
    curl_slist_free_all(m_commands);
    curl_slist_free_all(m_headers);
    curl_slist_free_all(m_recipients);
    if (m_curl)
        curl_easy_cleanup(m_curl);
    if (m_multi)
        curl_multi_cleanup(m_multi);
}

void CurlEasyTransfer::setCredentials(const QString& userName, const QString& password)
{
    m_password = password.toUtf8();
    curl_easy_setopt(m_curl, CURLOPT_USERNAME, userName.toUtf8().constData());
    curl_easy_setopt(m_curl, CURLOPT_PASSWORD, m_password.constData());
}

void CurlEasyTransfer::setPassive(bool passive)
{
    // "-": the data port listens on the address the control connection uses.
    curl_easy_setopt(m_curl, CURLOPT_FTPPORT, passive ? nullptr : "-");
}

bool CurlEasyTransfer::activeTlsDataWorks() const
{
    // curl 7.87 and 7.88 forget TLS on an active-mode data connection: the transfer fails, and the
    // file may already have crossed the network unencrypted. Fixed in 8.0.
    return curl_version_info(CURLVERSION_NOW)->version_num >= 0x080000;
}

void CurlEasyTransfer::requireTls(const QString& caFile, const QString& trustedFingerprint)
{
    CURL* curl = m_curl;
    m_trustedFingerprint = trustedFingerprint.trimmed().toUpper();
    curl_easy_setopt(curl, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    // The host name is checked by OpenSSL inside the chain check (prepareTlsContext), so a trusted
    // fingerprint can stand in for a name the certificate does not carry.
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
    if (!caFile.isEmpty())
        curl_easy_setopt(curl, CURLOPT_CAINFO, QFile::encodeName(caFile).constData());
    curl_easy_setopt(curl, CURLOPT_SSL_CTX_FUNCTION, onSslContext);
    curl_easy_setopt(curl, CURLOPT_SSL_CTX_DATA, this);
}

void CurlEasyTransfer::useKnownHosts(const QString& knownHostsFile)
{
    curl_easy_setopt(m_curl, CURLOPT_SSH_KNOWNHOSTS, QFile::encodeName(knownHostsFile).constData());
    curl_easy_setopt(m_curl, CURLOPT_SSH_KEYFUNCTION, onHostKey);
    curl_easy_setopt(m_curl, CURLOPT_SSH_KEYDATA, this);
}

void CurlEasyTransfer::setTimeLimits(int connectMs, int idleMs)
{
    curl_easy_setopt(m_curl, CURLOPT_CONNECTTIMEOUT_MS, long(connectMs));
    // "Idle": less than one byte a second for the whole limit. curl counts it in whole seconds.
    curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_TIME, long(qMax(1, (idleMs + 999) / 1000)));
    curl_easy_setopt(m_curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(qMax(1, (idleMs + 999) / 1000)));
}

void CurlEasyTransfer::setTotalTimeLimit(int ms)
{
    curl_easy_setopt(m_curl, CURLOPT_TIMEOUT_MS, long(ms));
}

void CurlEasyTransfer::setVerboseTrace(bool verbose)
{
    m_verbose = verbose;
}

void CurlEasyTransfer::reset()
{
    CURL* curl = m_curl;
    curl_easy_setopt(curl, CURLOPT_NOBODY, 0L);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(curl, CURLOPT_QUOTE, nullptr);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discardBody);
    curl_slist_free_all(m_commands);
    m_commands = nullptr;
    curl_slist_free_all(m_headers);
    m_headers = nullptr;
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, nullptr);
    curl_slist_free_all(m_recipients);
    m_recipients = nullptr;
    m_errorBuffer[0] = 0;
}

int CurlEasyTransfer::runTransfer()
{
    // Driven through a multi handle, which keeps the connection between operations. Its waits are
    // capped: this curl does not wake for a passive FTP data connection that has come up, and would
    // otherwise sit out up to a second per file.
    CURLM* multi = m_multi;
    CURL* curl = m_curl;
    if (curl_multi_add_handle(multi, curl) != CURLM_OK)
        return CURLE_FAILED_INIT;
    CURLcode code = CURLE_OK;
    int running = 1;
    while (running > 0) {
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            code = CURLE_FAILED_INIT;
            break;
        }
        if (running > 0 && curl_multi_poll(multi, nullptr, 0, kLongestWaitMs, nullptr) != CURLM_OK) {
            code = CURLE_FAILED_INIT;
            break;
        }
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == curl)
            code = message->data.result;
    }
    curl_multi_remove_handle(multi, curl);
    return int(code);
}

bool CurlEasyTransfer::perform(const QByteArray& url)
{
    CURL* curl = m_curl;
    if (!curl) {
        m_resultCode = CURLE_FAILED_INIT;
        m_errorText = QStringLiteral("The transfer library could not start.");
        return false;
    }
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    const auto code = CURLcode(runTransfer());
    m_resultCode = int(code);
    if (code == CURLE_OK) {
        m_errorText.clear();
        return true;
    }
    const QString detail = QString::fromUtf8(m_errorBuffer).trimmed();
    m_errorText = detail.isEmpty() ? QString::fromUtf8(curl_easy_strerror(code)) : detail;
    if (!m_password.isEmpty())
        m_errorText.replace(QString::fromUtf8(m_password), QStringLiteral("****"));
    return false;
}

bool CurlEasyTransfer::probe(const QByteArray& url)
{
    reset();
    curl_easy_setopt(m_curl, CURLOPT_NOBODY, 1L);
    return perform(url);
}

bool CurlEasyTransfer::quote(const QByteArray& url, const QList<QByteArray>& commands)
{
    reset();
    for (const QByteArray& command : commands)
        m_commands = curl_slist_append(m_commands, command.constData());
    curl_easy_setopt(m_curl, CURLOPT_QUOTE, m_commands);
    curl_easy_setopt(m_curl, CURLOPT_NOBODY, 1L);
    return perform(url);
}

bool CurlEasyTransfer::put(const QByteArray& url, const QString& localPath, const QList<QByteArray>& commandsFirst)
{
    reset();
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly)) {
        m_resultCode = CURLE_READ_ERROR;
        m_errorText =
            QStringLiteral("Could not read the local file \"%1\": %2").arg(localPath, file.errorString());
        return false;
    }
    for (const QByteArray& command : commandsFirst)
        m_commands = curl_slist_append(m_commands, command.constData());
    curl_easy_setopt(m_curl, CURLOPT_QUOTE, m_commands);
    return performUpload(url, readFile, &file, file.size());
}

bool CurlEasyTransfer::performUpload(const QByteArray& url, size_t (*read)(char*, size_t, size_t, void*),
                                void* source, qint64 size)
{
    CURL* curl = m_curl;
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, read);
    curl_easy_setopt(curl, CURLOPT_READDATA, source);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(size));
    const bool sent = perform(url);
    curl_easy_setopt(curl, CURLOPT_READDATA, nullptr);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 0L);
    return sent;
}

bool CurlEasyTransfer::get(const QByteArray& url, QByteArray& body, qint64 maxBytes)
{
    reset();
    body.clear();
    Download download{&body, maxBytes};
    CURL* curl = m_curl;
    m_headers = curl_slist_append(m_headers, "Cache-Control: no-cache");
    m_headers = curl_slist_append(m_headers, "Pragma: no-cache");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, m_headers);
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    // Followed like a browser would, to web addresses only; the body must still be the same.
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collectBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &download);
    const bool fetched = perform(url);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discardBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, nullptr);
    return fetched;
}

bool CurlEasyTransfer::post(const QByteArray& url, const QList<QByteArray>& headers, const QByteArray& body,
                       QByteArray& response, qint64 maxBytes)
{
    reset();
    response.clear();
    Download download{&response, maxBytes};
    CURL* curl = m_curl;
    for (const QByteArray& header : headers)
        m_headers = curl_slist_append(m_headers, header.constData());
    // No "100 continue" round: the body goes at once.
    m_headers = curl_slist_append(m_headers, "Expect:");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, m_headers);
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.constData());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(body.size()));
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collectBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &download);
    const bool answered = perform(url);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discardBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, nullptr);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, nullptr);
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    return answered;
}

bool CurlEasyTransfer::sendMail(const QByteArray& url, const QByteArray& from, const QList<QByteArray>& recipients,
                           const QByteArray& message)
{
    reset();
    CURL* curl = m_curl;
    for (const QByteArray& recipient : recipients)
        m_recipients = curl_slist_append(m_recipients, ('<' + recipient + '>').constData());
    const QByteArray sender = '<' + from + '>';
    Outgoing outgoing{&message, 0};
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, sender.constData());
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, m_recipients);
    const bool sent = performUpload(url, readBuffer, &outgoing, message.size());
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, nullptr);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp,sftp,http,https");
    return sent;
}

long CurlEasyTransfer::responseCode() const
{
    long code = 0;
    curl_easy_getinfo(m_curl, CURLINFO_RESPONSE_CODE, &code);
    return code;
}

QString CurlEasyTransfer::entryPath() const
{
    const char* path = nullptr;
    curl_easy_getinfo(m_curl, CURLINFO_FTP_ENTRY_PATH, &path);
    return path ? QString::fromUtf8(path) : QString();
}

void CurlEasyTransfer::appendTrace(int type, const char* data, size_t size)
{
    if (type != CURLINFO_TEXT && type != CURLINFO_HEADER_IN && type != CURLINFO_HEADER_OUT)
        return;
    const QByteArray chunk(data, qsizetype(size));
    if (type == CURLINFO_TEXT && chunk.startsWith("Authentication complete"))
        m_sshAuthenticated = true;
    if (type == CURLINFO_TEXT && !m_verbose)
        return;
    if (m_trace.size() > kMaxTraceChars)
        return;
    const char* mark = type == CURLINFO_HEADER_OUT ? "> " : type == CURLINFO_HEADER_IN ? "< " : "* ";
    for (QByteArray line : chunk.split('\n')) {
        while (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        // Login secrets never reach the trace: the FTP password, TLS and SASL exchanges, HTTP logins.
        const QByteArray word = commandWord(line);
        if (type == CURLINFO_HEADER_OUT && m_inAuthExchange && word != "AUTH")
            line = "****"; // an SMTP SASL answer (LOGIN, PLAIN without initial response, CRAM-MD5)
        else if (word == "PASS" || word == "AUTH" || word == "AUTHORIZATION:" ||
                 word == "PROXY-AUTHORIZATION:")
            line = line.left(line.indexOf(' ') < 0 ? line.size() : line.indexOf(' ')) + " ****";
        if (type == CURLINFO_HEADER_OUT && word == "AUTH")
            m_inAuthExchange = true;
        else if (type == CURLINFO_HEADER_IN && !line.startsWith("334"))
            m_inAuthExchange = false;
        if (!m_password.isEmpty())
            line.replace(m_password, "****");
        m_trace += QLatin1String(mark) + QString::fromUtf8(line) + u'\n';
    }
}

void CurlEasyTransfer::prepareTlsContext(void* sslContext)
{
    auto* context = static_cast<SSL_CTX*>(sslContext);
    SSL_CTX_set_ex_data(context, sessionIndex(), this);
    SSL_CTX_set_verify(context, SSL_VERIFY_PEER, onVerify);
    char* host = nullptr;
    curl_easy_getinfo(m_curl, CURLINFO_EFFECTIVE_URL, &host);
    CURLU* url = curl_url();
    char* name = nullptr;
    if (host && curl_url_set(url, CURLUPART_URL, host, 0) == CURLUE_OK &&
        curl_url_get(url, CURLUPART_HOST, &name, 0) == CURLUE_OK && name) {
        QByteArray hostName(name);
        if (hostName.startsWith('[') && hostName.endsWith(']'))
            hostName = hostName.mid(1, hostName.size() - 2);
        X509_VERIFY_PARAM* param = SSL_CTX_get0_param(context);
        if (X509_VERIFY_PARAM_set1_ip_asc(param, hostName.constData()) != 1)
            X509_VERIFY_PARAM_set1_host(param, hostName.constData(), 0);
    }
    curl_free(name);
    curl_url_cleanup(url);
}

int CurlEasyTransfer::checkCertificate(int preverifyOk, void* storeContext)
{
    auto* context = static_cast<X509_STORE_CTX*>(storeContext);
    if (preverifyOk)
        return 1;
    X509* leaf = X509_STORE_CTX_get0_cert(context);
    unsigned char* der = nullptr;
    const int length = leaf ? i2d_X509(leaf, &der) : -1;
    if (length <= 0)
        return 0;
    const QString print = certificateFingerprint(QByteArray(reinterpret_cast<const char*>(der), length));
    OPENSSL_free(der);
    if (!m_trustedFingerprint.isEmpty() && print == m_trustedFingerprint) {
        // The user trusted this very certificate: its chain and name need no authority.
        X509_STORE_CTX_set_error(context, X509_V_OK);
        return 1;
    }
    m_refusedFingerprint = print;
    return 0;
}

int CurlEasyTransfer::checkHostKey(int match)
{
    switch (match) {
    case CURLKHMATCH_OK:
        return CURLKHSTAT_FINE;
    case CURLKHMATCH_MISSING:
        return CURLKHSTAT_FINE_ADD_TO_FILE;
    default:
        m_hostKeyChanged = true;
        return CURLKHSTAT_REJECT;
    }
}

extern "C" Q_DECL_EXPORT CurlTransfer* quibCreateCurlTransfer(int interfaceVersion)
{
    if (interfaceVersion != kCurlTransferVersion)
        return nullptr;
    return new CurlEasyTransfer;
}
