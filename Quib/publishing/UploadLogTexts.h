// The connection log texts of the FTP, FTPS and SFTP uploads, exactly as users and support staff know
// them. Each %N is filled by UploadLogTexts::fill in one pass, so a filled value that itself holds
// "%2" (a server's error text) is never substituted again.
#pragma once
#include <QString>
#include <QStringList>

namespace UploadLogTexts {

inline constexpr char kLogTitle[] = "Connection Log";
inline constexpr char kSftpSuccess[] = "Success";
// Added below SFTP-CONNECT-FAIL when the server showed a host key other than the one trusted before.
inline constexpr char kHostKeyChanged[] =
    "\n\nThe server's host key has changed since the first connection, so the connection was refused. "
    "If your web host provider confirms the change, remove the server's line from %1 and connect again.";
// Added below a TLS failure: the refused certificate, which the settings may trust for this profile.
inline constexpr char kCertificateRefused[] =
    "\n\nThe server's certificate could not be verified. Its SHA-256 fingerprint is %1.";

// CONNECTED-FTP
inline constexpr char kConnectedFTP[] = "%1\n\n"
                                        "**Connected successfully to %2 on port %3 using protocol %4.";
// SFTP-CONNECTED: the same words, the port written as a plain number in both.
inline constexpr const char* kSFTPConnected = kConnectedFTP;
// CHANGED-DIR
inline constexpr char kChangedDir[] = "%1\n\n"
                                      "Successfully changed to remote directory %2";
// UPLOADED
inline constexpr char kUploaded[] = "%1\n\n"
                                    "Successfully uploaded file %2";
// LOGGED-IN
inline constexpr char kLoggedIn[] = "%1\n\n"
                                    "**Logged in successfully using username %2 and the specified password";
// INIT-FAIL
inline constexpr char kInitFail[] = "%1\n\n"
                                    "**Not able to initialize connection";
// INIT-OK
inline constexpr char kInitOK[] = "%1\n\n"
                                  "**Successfully initialized connection";
// FTPS-CONNECT-FAIL
inline constexpr char kFTPSConnectFail[] =
    "%1\n\n"
    "**Not able to connect to %2 on port %3 using protocol %4. Mode %5. The connection was attempted using "
    "username %6 and the specified password. \n\n"
    "How to troubleshoot:\n\n"
    "- Check Username and Password. Please make sure these are the exact same as provided by your web host "
    "provider. Re-typing them into the settings fields will usually help correct accidentally made typos.\n\n"
    "- Check Server Address: Make sure you use the domain name as is, do not add http://, www. or any other "
    "prefix unless advised by your web host provider.  You may also try the numeric IP address for your "
    "domain name.\n\n"
    "- Check type of connection protocol: You have selected to connect with %7. Please note %8 is not "
    "supported by all web host providers, please verify this type of connection is supported for your "
    "account.\n\n"
    "- Incorrect server port number. The current connection was attempted using port number %9.\n\n"
    "- Your firewall could be blocking the connection.  To test if this is the cause, try switching to a "
    "different network. For example, if you are having trouble connecting via a mobile network, try with "
    "wifi. \n\n"
    "- Invalid FTP account settings. Your account settings might be out of date from the settings on your "
    "web server, please contact your web host provider to ensure all settings are accurate and up to date. "
    "You may also test the connection with another FTP client tool such as FileZilla (free for both Mac and "
    "PC)\n\n"
    "Raw Log:\n\n"
    "%10";
// FTP-CONNECT-FAIL
inline constexpr char kFTPConnectFail[] =
    "%1\n\n"
    "**Not able to connect to %2 on port %3 using protocol %4. Mode %5. The connection was attempted using "
    "username %6 and the specified password. \n\n"
    "Common causes:\n\n"
    "1. Incorrect Username and Password. Please make sure these are the exact same as provided by your web "
    "host provider. Re-typing them into the settings fields will usually help correct accidentally made "
    "typos.\n\n"
    "2. Incorrect Server: Make sure you use the domain name as is, do not add http://, www. or any other "
    "prefix unless advised by your web host provider.  You may also try the numeric IP address for your "
    "domain name.\n\n"
    "3. Incorrect type of connection protocol: You have selected to connect with %7, please verify this type "
    "of connection is supported for your account.\n\n"
    "4. Incorrect server port number. The current connection was attempted using port number %8.\n\n"
    "5. Your firewall could be blocking the connection.  To test if this is the cause, try switching to a "
    "different network. For example, if you are having trouble connecting via a mobile network, try with "
    "wifi. \n\n"
    "6. Open FTP Settings, set Classic Mode switch to ON and try again\n\n"
    "7. Invalid FTP account settings. Your account settings might be out of date from the settings on your "
    "web server, please contact your web host provider to ensure all settings are accurate and up to date. "
    "You may also test the connection with another FTP client tool such as FileZilla (free for both Mac and "
    "PC)\n\n"
    "Raw Log:\n\n"
    "%9";
// DIR-FAIL
inline constexpr char kDirFail[] =
    "%1\n\n"
    "Not able to access remote directory %2.\n\n"
    "Incorrect FTP server remote path is a common cause for this error. The remote path should be the path "
    "to a folder available on the FTP server.  If needed, please contact your web host provider to ensure "
    "your FTP account has the appropriate permission to upload to this folder, please also verify your "
    "account has sufficient free disk space.\n\n"
    "Raw Log:\n\n"
    "%3";
// PUT-FAIL
inline constexpr char kPutFail[] =
    "%1\n\n"
    "Not able to upload file %2.\n\n"
    "Please try again.  If you continue to receive this error, please contact your web host provider to "
    "verify your FTP account has the appropriate settings, permissions and available disk space.\n\n"
    "In addition, you may also try turning off the Passive Mode switch under FTP Settings.\n\n"
    "Raw Log:\n\n"
    "%3";
// SFTP-CONNECT-FAIL
inline constexpr char kSFTPConnectFail[] =
    "%1\n\n"
    "**Not able to connect to %2 on port %3 using protocol %4.\n\n"
    "Common causes:\n\n"
    "1. Incorrect Server: Make sure you use the domain name as is, do not add http://, www. or any other "
    "prefix unless advised by your web host provider.  You may also try the numeric IP address for your "
    "domain name.\n\n"
    "2. Incorrect type of connection protocol: You have selected to connect with %5. Please note %6 is not "
    "supported by all web host providers, please verify this type of connection is supported for your "
    "account.\n\n"
    "3. Incorrect server port number. The current connection was attempted using port number %7.\n\n"
    "4. Your firewall could be blocking the connection.  To test if this is the cause, try switching to a "
    "different network. For example, if you are having trouble connecting via a mobile network, try with "
    "wifi. \n\n"
    "5. Invalid FTP account settings. Your account settings might be out of date from the settings on your "
    "web server, please contact your web host provider to ensure all settings are accurate and up to date. "
    "You may also test the connection with another FTP client tool such as FileZilla (free for both Mac and "
    "PC)";
// LOGIN-FAIL
inline constexpr char kLoginFail[] =
    "%1\n\n"
    "**Not able to log in using username %2 and the specified password. This type of error is usually caused "
    "when the incorrect username or password is entered into FTP Settings. Please double check FTP Settings "
    "and contact your web host provider to verify these details if needed.";
// SFTP-PUT-FAIL
inline constexpr char kSFTPPutFail[] =
    "%1\n\n"
    "Not able to upload file %2.\n\n"
    "Incorrect remote path is a common cause for this error. The remote path should be the path to a folder "
    "available on the FTP server.  Please contact your web host provider to ensure your FTP account has the "
    "appropriate permission to upload to this folder, please also verify your account has sufficient free "
    "disk space.";

// Fills %1…%N of format with values in one pass; a marker without a value stays as it is.
QString fill(const char* format, const QStringList& values);

} // namespace UploadLogTexts
