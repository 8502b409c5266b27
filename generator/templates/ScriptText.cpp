#include "common/audit/SqlQuoting.h"
#include "common/base/Version.h"
#include "generator/templates/TemplateParts.h"

#include <iterator>

namespace tallix {

namespace {

using templates::kEol;

// One entry per line; an empty entry is an empty line.
constexpr const char* kCreationBlock[] = {
    "IF OBJECT_ID('dbo.TallixKeys') IS NOT NULL",
    "   BEGIN",
    "   PRINT '<<< TABLE dbo.TallixKeys ALREADY EXISTS >>>'",
    "   IF COL_LENGTH('dbo.TallixKeys','KeyValues') = 7000",
    "        BEGIN",
    "        PRINT '<<< Old TallixKeys table found... altering structure'",
    "",
    "        EXEC sp_rename 'dbo.TallixKeys.PK_TallixKeys','PK_TallixK_backup','INDEX'",
    "",
    "        EXEC sp_rename 'dbo.TallixKeys','TallixKeys_backup',OBJECT",
    "",
    "        CREATE TABLE dbo.TallixKeys",
    "        (",
    "        KeyID       uniqueidentifier DEFAULT newid() NOT NULL,",
    "        SourceTable varchar(64)      NOT NULL,",
    "        KeyValues   VarChar(900)     NOT NULL",
    "        )",
    "",
    "        INSERT INTO dbo.TallixKeys(",
    "                                   KeyID,",
    "                                   SourceTable,",
    "                                   KeyValues",
    "                                  )",
    "                            SELECT",
    "                                   KeyID,",
    "                                   SourceTable,",
    "                                   KeyValues",
    "                            FROM dbo.TallixKeys_backup",
    "",
    "        ALTER TABLE dbo.Tallix DROP CONSTRAINT FK_Tallix_TallixKeys",
    "",
    "        ALTER TABLE dbo.TallixKeys ADD CONSTRAINT PK_TallixKeys",
    "        PRIMARY KEY NONCLUSTERED (KeyID)",
    "                              ON [PRIMARY]",
    "",
    "        ALTER TABLE dbo.Tallix ADD CONSTRAINT FK_Tallix_TallixKeys",
    "        Foreign Key(KeyID)",
    "        References dbo.TallixKeys(KeyID)",
    "",
    "        CREATE NONCLUSTERED INDEX IX_TallixKeys",
    "            ON dbo.TallixKeys(KeyValues)",
    "            ON [PRIMARY]",
    "",
    "        END",
    "    END",
    "",
    "ELSE",
    "",
    "BEGIN",
    "",
    "CREATE TABLE [TallixKeys]",
    "(",
    "    KeyID       uniqueidentifier   NOT NULL CONSTRAINT [DF_TallixKeys_ID_1] DEFAULT "
    "(newid()),",
    "    SourceTable varchar(64)        NOT NULL,",
    "    KeyValues   varchar(900)      NOT NULL,",
    "    CONSTRAINT [PK_TallixKeys] PRIMARY KEY NONCLUSTERED",
    "    (",
    "        [KeyID]",
    "    )   ON [PRIMARY]",
    ") ON [PRIMARY]",
    "",
    "IF OBJECT_ID('dbo.TallixKeys') IS NULL",
    "    PRINT '<<< FAILED CREATING TABLE dbo.TallixKeys >>>'",
    "ELSE",
    "    PRINT '<<< CREATED TABLE dbo.TallixKeys >>>'",
    "",
    "END",
    "",
    "GO",
    "",
    "IF OBJECT_ID('dbo.Tallix') IS NOT NULL",
    "   PRINT '<<< TABLE dbo.Tallix ALREADY EXISTS >>>'",
    "ELSE",
    "",
    "BEGIN",
    "",
    "CREATE TABLE [Tallix]",
    "(",
    "    LogID           uniqueidentifier   NOT NULL CONSTRAINT [DF_Tallix_ID_1] DEFAULT "
    "(newid()),",
    "    SourceTable     varchar(64)        NOT NULL,",
    "    TransactionType char(1)            NOT NULL,",
    "    TransactionDate datetime           NOT NULL CONSTRAINT [DF_Tallix_TransactionDate_1] "
    "DEFAULT (getdate()),",
    "    Username        varchar(64)        NOT NULL,",
    "    Workstation     varchar(64)        NOT NULL,",
    "    Application     varchar(64)        NOT NULL,",
    "    KeyID           uniqueidentifier   NOT NULL,",
    "    Data            text               NOT NULL,",
    "    CONSTRAINT [PK_Tallix] PRIMARY KEY NONCLUSTERED",
    "    (",
    "        [LogID]",
    "    )   ON [PRIMARY],",
    "    CONSTRAINT [FK_Tallix_TallixKeys] FOREIGN KEY",
    "    (",
    "        [KeyID]",
    "    ) REFERENCES [TallixKeys] (",
    "        [KeyID]",
    "    )",
    ") ON [PRIMARY] TEXTIMAGE_ON [PRIMARY]",
    "",
    "IF OBJECT_ID('dbo.Tallix') IS NULL",
    "    PRINT '<<< FAILED CREATING TABLE dbo.Tallix >>>'",
    "ELSE",
    "    PRINT '<<< CREATED TABLE dbo.Tallix >>>'",
    "",
    "END",
    "GO",
    "",
    "IF EXISTS (SELECT * FROM sysindexes WHERE id=OBJECT_ID('dbo.TallixKeys') AND "
    "name='IX_TallixKeys')",
    "BEGIN",
    "    DROP INDEX dbo.TallixKeys.IX_TallixKeys",
    "    IF EXISTS (SELECT * FROM sysindexes WHERE id=OBJECT_ID('dbo.TallixKeys') AND "
    "name='IX_TallixKeys')",
    "        PRINT '<<< FAILED DROPPING INDEX dbo.TallixKeys.IX_TallixKeys >>>'",
    "    ELSE",
    "        PRINT '<<< DROPPED INDEX dbo.TallixKeys.IX_TallixKeys >>>'",
    "END",
    "GO",
    "CREATE NONCLUSTERED INDEX IX_TallixKeys",
    "    ON dbo.TallixKeys(KeyValues)",
    "    ON [PRIMARY]",
    "GO",
    "IF EXISTS (SELECT * FROM sysindexes WHERE id=OBJECT_ID('dbo.TallixKeys') AND "
    "name='IX_TallixKeys')",
    "    PRINT '<<< CREATED INDEX dbo.TallixKeys.IX_TallixKeys >>>'",
    "ELSE",
    "    PRINT '<<< FAILED CREATING INDEX dbo.TallixKeys.IX_TallixKeys >>>'",
    "GO",
    "",
};
static_assert(std::size(kCreationBlock) == 126);

// Tallix goes first: its foreign key refers to TallixKeys.
constexpr const char* kTableDrops[] = {
    "IF OBJECT_ID('dbo.Tallix') IS NOT NULL",
    "BEGIN",
    "   DROP TABLE Tallix",
    "   IF OBJECT_ID('dbo.Tallix') IS NOT NULL",
    "      PRINT '<< FAILED DROPPING TABLE dbo.Tallix >>>'",
    "   ELSE",
    "      PRINT '<<< DROPPED TABLE dbo.Tallix >>>'",
    "END",
    "GO",
    "",
    "IF OBJECT_ID('dbo.TallixKeys') IS NOT NULL",
    "BEGIN",
    "   DROP TABLE TallixKeys",
    "   IF OBJECT_ID('dbo.TallixKeys') IS NOT NULL",
    "      PRINT '<< FAILED DROPPING TABLE dbo.TallixKeys >>>'",
    "   ELSE",
    "      PRINT '<<< DROPPED TABLE dbo.TallixKeys >>>'",
    "END",
    "GO",
    "",
};
static_assert(std::size(kTableDrops) == 20);

template <std::size_t N> QString joinLines(const char* const (&lines)[N])
{
    qsizetype size = 0;
    for (const char* line : lines)
        size += static_cast<qsizetype>(std::char_traits<char>::length(line)) + 2;
    QString out;
    out.reserve(size);
    for (const char* line : lines) {
        out += QLatin1StringView(line);
        out += kEol;
    }
    return out;
}

// Lines 1 to 3 of the header, shared with every banner.
void appendHeaderLines(QString& out, const QDateTime& generated)
{
    out += QLatin1StringView("-- Tallix Generated Code  [");
    out += versionText();
    out += QLatin1StringView("]\r\n-- Generated on ");
    out += formatGenerationTime(generated);
    out += QLatin1StringView("\r\n-- ----------------------------------\r\n");
}

} // namespace

QString formatGenerationTime(const QDateTime& generated)
{
    return generated.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString ScriptHeader(const QDateTime& generated)
{
    QString out;
    out.reserve(128);
    appendHeaderLines(out, generated);
    out += kEol;
    out += kEol;
    return out;
}

QString TriggerBanner(const QString& tableName, const QString& suffix, const QDateTime& generated)
{
    QString out;
    out.reserve(160 + tableName.size());
    out += kEol;
    out += QLatin1StringView("-- ");
    SqlQuoting::appendComment(out, tableName);
    out += suffix;
    out += kEol;
    appendHeaderLines(out, generated);
    out += kEol;
    return out;
}

QString CreationBlock()
{
    static const QString block = joinLines(kCreationBlock);
    return block;
}

QString GenerateTableDrops(QString* failure)
{
    return templates::guardedBuild(QLatin1StringView("GenerateTableDrops"), 0, failure,
                                   [](QString& out) { out = joinLines(kTableDrops); });
}

} // namespace tallix
