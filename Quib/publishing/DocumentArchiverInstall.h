// Hands the page archive operations of UploadFTPS to the document (DocumentArchiver). The
// application calls install() at start-up; tests that open or save documents call it in set-up.
#pragma once

class DocumentArchiverInstall
{
public:
    DocumentArchiverInstall() = delete;
    static void install();
};
