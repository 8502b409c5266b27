#include "common/audit/SqlQuoting.h"
#include "common/base/Version.h"
#include "generator/templates/TemplateParts.h"

#include <iterator>

namespace tallix {

namespace {

using templates::kEol;

// An audit key table of the oldest layout (KeyValues of 7000 characters) is rebuilt first, the
// same in both layouts.
constexpr const char* kOldKeysUpgrade[] = {
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
};
static_assert(std::size(kOldKeysUpgrade) == 44);

// One entry per line after the upgrade; an empty entry is an empty line.
constexpr const char* kCreationBlock[] = {
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
};
static_assert(std::size(kCreationBlock) == 43);

// The same with nvarchar columns. An existing audit table of the narrow layout is altered in
// place: each column is changed first without NOT NULL, which some servers refuse to restate in a
// type change, and given NOT NULL again where the change dropped it (as SQL Server does).
constexpr const char* kUnicodeCreationBlock[] = {
    "   IF EXISTS (SELECT * FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_SCHEMA = 'dbo' AND "
    "TABLE_NAME = 'TallixKeys' AND DATA_TYPE = 'varchar')",
    "        BEGIN",
    "        IF EXISTS (SELECT * FROM dbo.TallixKeys WHERE DATALENGTH(KeyValues) > 450)",
    "            PRINT '<<< FAILED ALTERING TABLE dbo.TallixKeys: a key text is longer than 450 "
    "characters >>>'",
    "        ELSE",
    "            BEGIN",
    "            PRINT '<<< Non-Unicode TallixKeys table found... altering structure >>>'",
    "            IF EXISTS (SELECT * FROM sysindexes WHERE id=OBJECT_ID('dbo.TallixKeys') AND "
    "name='IX_TallixKeys')",
    "                DROP INDEX dbo.TallixKeys.IX_TallixKeys",
    "            ALTER TABLE dbo.TallixKeys ALTER COLUMN SourceTable nvarchar(64)",
    "            IF COLUMNPROPERTY(OBJECT_ID('dbo.TallixKeys'),'SourceTable','AllowsNull') = 1",
    "                EXEC('ALTER TABLE dbo.TallixKeys ALTER COLUMN SourceTable nvarchar(64) NOT "
    "NULL')",
    "            ALTER TABLE dbo.TallixKeys ALTER COLUMN KeyValues nvarchar(450)",
    "            IF COLUMNPROPERTY(OBJECT_ID('dbo.TallixKeys'),'KeyValues','AllowsNull') = 1",
    "                EXEC('ALTER TABLE dbo.TallixKeys ALTER COLUMN KeyValues nvarchar(450) NOT "
    "NULL')",
    "            END",
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
    "    SourceTable nvarchar(64)       NOT NULL,",
    "    KeyValues   nvarchar(450)     NOT NULL,",
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
    "   BEGIN",
    "   PRINT '<<< TABLE dbo.Tallix ALREADY EXISTS >>>'",
    "   IF EXISTS (SELECT * FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_SCHEMA = 'dbo' AND "
    "TABLE_NAME = 'Tallix' AND DATA_TYPE IN ('varchar', 'text'))",
    "        BEGIN",
    "        PRINT '<<< Non-Unicode Tallix table found... altering structure >>>'",
    "        ALTER TABLE dbo.Tallix ALTER COLUMN SourceTable nvarchar(64)",
    "        IF COLUMNPROPERTY(OBJECT_ID('dbo.Tallix'),'SourceTable','AllowsNull') = 1",
    "            EXEC('ALTER TABLE dbo.Tallix ALTER COLUMN SourceTable nvarchar(64) NOT NULL')",
    "        ALTER TABLE dbo.Tallix ALTER COLUMN Username nvarchar(64)",
    "        IF COLUMNPROPERTY(OBJECT_ID('dbo.Tallix'),'Username','AllowsNull') = 1",
    "            EXEC('ALTER TABLE dbo.Tallix ALTER COLUMN Username nvarchar(64) NOT NULL')",
    "        ALTER TABLE dbo.Tallix ALTER COLUMN Workstation nvarchar(64)",
    "        IF COLUMNPROPERTY(OBJECT_ID('dbo.Tallix'),'Workstation','AllowsNull') = 1",
    "            EXEC('ALTER TABLE dbo.Tallix ALTER COLUMN Workstation nvarchar(64) NOT NULL')",
    "        ALTER TABLE dbo.Tallix ALTER COLUMN Application nvarchar(64)",
    "        IF COLUMNPROPERTY(OBJECT_ID('dbo.Tallix'),'Application','AllowsNull') = 1",
    "            EXEC('ALTER TABLE dbo.Tallix ALTER COLUMN Application nvarchar(64) NOT NULL')",
    "        ALTER TABLE dbo.Tallix ALTER COLUMN Data nvarchar(max)",
    "        IF COLUMNPROPERTY(OBJECT_ID('dbo.Tallix'),'Data','AllowsNull') = 1",
    "            EXEC('ALTER TABLE dbo.Tallix ALTER COLUMN Data nvarchar(max) NOT NULL')",
    "        END",
    "   END",
    "ELSE",
    "",
    "BEGIN",
    "",
    "CREATE TABLE [Tallix]",
    "(",
    "    LogID           uniqueidentifier   NOT NULL CONSTRAINT [DF_Tallix_ID_1] DEFAULT "
    "(newid()),",
    "    SourceTable     nvarchar(64)       NOT NULL,",
    "    TransactionType char(1)            NOT NULL,",
    "    TransactionDate datetime           NOT NULL CONSTRAINT [DF_Tallix_TransactionDate_1] "
    "DEFAULT (getdate()),",
    "    Username        nvarchar(64)       NOT NULL,",
    "    Workstation     nvarchar(64)       NOT NULL,",
    "    Application     nvarchar(64)       NOT NULL,",
    "    KeyID           uniqueidentifier   NOT NULL,",
    "    Data            nvarchar(max)      NOT NULL,",
};
static_assert(std::size(kUnicodeCreationBlock) == 81);

// The rest of Tallix and the key index, the same in both layouts.
constexpr const char* kCreationTail[] = {
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
static_assert(std::size(kCreationTail) == 39);

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

QString CreationBlock(AuditText text)
{
    static const QString narrow =
        joinLines(kOldKeysUpgrade) + joinLines(kCreationBlock) + joinLines(kCreationTail);
    static const QString unicode =
        joinLines(kOldKeysUpgrade) + joinLines(kUnicodeCreationBlock) + joinLines(kCreationTail);
    return text == AuditText::Unicode ? unicode : narrow;
}

QString GenerateTableDrops(QString* failure)
{
    return templates::guardedBuild(QLatin1StringView("GenerateTableDrops"), 0, failure,
                                   [](QString& out) { out = joinLines(kTableDrops); });
}

} // namespace tallix
