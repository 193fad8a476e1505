// One file of an upload queue: where it comes from and where it goes.
#pragma once
#include <QString>

class UploadItem
{
public:
    QString localPath() const { return m_localPath; }
    void setLocalPath(const QString& path) { m_localPath = path; }
    // Folder below the remote path; "" for the remote path itself.
    QString remoteFolder() const { return m_remoteFolder; }
    void setRemoteFolder(const QString& folder) { m_remoteFolder = folder; }
    QString remoteFileName() const { return m_remoteFileName; }
    void setRemoteFileName(const QString& name) { m_remoteFileName = name; }
    // Filled in after a Dropbox upload.
    QString dropboxLink() const { return m_dropboxLink; }
    void setDropboxLink(const QString& link) { m_dropboxLink = link; }

    // Bookkeeping of the e-mail image builders; no transfer reads these.
    QString imageName() const { return m_imageName; }
    void setImageName(const QString& name) { m_imageName = name; }
    qint32 imageIndex() const { return m_imageIndex; }
    void setImageIndex(qint32 index) { m_imageIndex = index; }
    bool originalImageFlag() const { return m_originalImageFlag; }
    void setOriginalImageFlag(bool flag) { m_originalImageFlag = flag; }

private:
    QString m_localPath;
    QString m_remoteFolder;
    QString m_remoteFileName;
    QString m_dropboxLink;
    QString m_imageName;
    qint32 m_imageIndex = 0;
    bool m_originalImageFlag = false;
};
