-- Tallix Generated Code  [2.0.9]
-- Generated on 2026-03-14 09:26:53
-- ----------------------------------


USE [shop]
GO

IF OBJECT_ID('dbo.TallixKeys') IS NOT NULL
   BEGIN
   PRINT '<<< TABLE dbo.TallixKeys ALREADY EXISTS >>>'
   IF COL_LENGTH('dbo.TallixKeys','KeyValues') = 7000
        BEGIN
        PRINT '<<< Old TallixKeys table found... altering structure'

        EXEC sp_rename 'dbo.TallixKeys.PK_TallixKeys','PK_TallixK_backup','INDEX'

        EXEC sp_rename 'dbo.TallixKeys','TallixKeys_backup',OBJECT

        CREATE TABLE dbo.TallixKeys
        (
        KeyID       uniqueidentifier DEFAULT newid() NOT NULL,
        SourceTable varchar(64)      NOT NULL,
        KeyValues   VarChar(900)     NOT NULL
        )

        INSERT INTO dbo.TallixKeys(
                                   KeyID,
                                   SourceTable,
                                   KeyValues
                                  )
                            SELECT
                                   KeyID,
                                   SourceTable,
                                   KeyValues
                            FROM dbo.TallixKeys_backup

        ALTER TABLE dbo.Tallix DROP CONSTRAINT FK_Tallix_TallixKeys

        ALTER TABLE dbo.TallixKeys ADD CONSTRAINT PK_TallixKeys
        PRIMARY KEY NONCLUSTERED (KeyID)
                              ON [PRIMARY]

        ALTER TABLE dbo.Tallix ADD CONSTRAINT FK_Tallix_TallixKeys
        Foreign Key(KeyID)
        References dbo.TallixKeys(KeyID)

        CREATE NONCLUSTERED INDEX IX_TallixKeys
            ON dbo.TallixKeys(KeyValues)
            ON [PRIMARY]

        END
    END

ELSE

BEGIN

CREATE TABLE [TallixKeys]
(
    KeyID       uniqueidentifier   NOT NULL CONSTRAINT [DF_TallixKeys_ID_1] DEFAULT (newid()),
    SourceTable varchar(64)        NOT NULL,
    KeyValues   varchar(900)      NOT NULL,
    CONSTRAINT [PK_TallixKeys] PRIMARY KEY NONCLUSTERED
    (
        [KeyID]
    )   ON [PRIMARY]
) ON [PRIMARY]

IF OBJECT_ID('dbo.TallixKeys') IS NULL
    PRINT '<<< FAILED CREATING TABLE dbo.TallixKeys >>>'
ELSE
    PRINT '<<< CREATED TABLE dbo.TallixKeys >>>'

END

GO

IF OBJECT_ID('dbo.Tallix') IS NOT NULL
   PRINT '<<< TABLE dbo.Tallix ALREADY EXISTS >>>'
ELSE

BEGIN

CREATE TABLE [Tallix]
(
    LogID           uniqueidentifier   NOT NULL CONSTRAINT [DF_Tallix_ID_1] DEFAULT (newid()),
    SourceTable     varchar(64)        NOT NULL,
    TransactionType char(1)            NOT NULL,
    TransactionDate datetime           NOT NULL CONSTRAINT [DF_Tallix_TransactionDate_1] DEFAULT (getdate()),
    Username        varchar(64)        NOT NULL,
    Workstation     varchar(64)        NOT NULL,
    Application     varchar(64)        NOT NULL,
    KeyID           uniqueidentifier   NOT NULL,
    Data            text               NOT NULL,
    CONSTRAINT [PK_Tallix] PRIMARY KEY NONCLUSTERED
    (
        [LogID]
    )   ON [PRIMARY],
    CONSTRAINT [FK_Tallix_TallixKeys] FOREIGN KEY
    (
        [KeyID]
    ) REFERENCES [TallixKeys] (
        [KeyID]
    )
) ON [PRIMARY] TEXTIMAGE_ON [PRIMARY]

IF OBJECT_ID('dbo.Tallix') IS NULL
    PRINT '<<< FAILED CREATING TABLE dbo.Tallix >>>'
ELSE
    PRINT '<<< CREATED TABLE dbo.Tallix >>>'

END
GO

IF EXISTS (SELECT * FROM sysindexes WHERE id=OBJECT_ID('dbo.TallixKeys') AND name='IX_TallixKeys')
BEGIN
    DROP INDEX dbo.TallixKeys.IX_TallixKeys
    IF EXISTS (SELECT * FROM sysindexes WHERE id=OBJECT_ID('dbo.TallixKeys') AND name='IX_TallixKeys')
        PRINT '<<< FAILED DROPPING INDEX dbo.TallixKeys.IX_TallixKeys >>>'
    ELSE
        PRINT '<<< DROPPED INDEX dbo.TallixKeys.IX_TallixKeys >>>'
END
GO
CREATE NONCLUSTERED INDEX IX_TallixKeys
    ON dbo.TallixKeys(KeyValues)
    ON [PRIMARY]
GO
IF EXISTS (SELECT * FROM sysindexes WHERE id=OBJECT_ID('dbo.TallixKeys') AND name='IX_TallixKeys')
    PRINT '<<< CREATED INDEX dbo.TallixKeys.IX_TallixKeys >>>'
ELSE
    PRINT '<<< FAILED CREATING INDEX dbo.TallixKeys.IX_TallixKeys >>>'
GO

IF OBJECT_ID('dbo.ItemsTallixInsert') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.ItemsTallixInsert
   IF OBJECT_ID('dbo.ItemsTallixInsert') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.ItemsTallixInsert >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.ItemsTallixInsert >>>'
END
GO

CREATE TRIGGER ItemsTallixInsert ON [Items]
FOR INSERT
AS

-- ItemsTallixInsert
-- Tallix Generated Code  [2.0.9]
-- Generated on 2026-03-14 09:26:53
-- ----------------------------------

DECLARE @Application AS VARCHAR(64)
DECLARE @Username AS VARCHAR(64)

SET NOCOUNT ON

SELECT @Application = APP_NAME(),
       @Username = SYSTEM_USER

INSERT TallixKeys(sourcetable, KeyValues)
    SELECT 'Items',
        'ItemID=' + CONVERT(VARCHAR,i.[ItemID]) 
    FROM inserted i
    WHERE NOT EXISTS (
        SELECT slk.keyid
        FROM TallixKeys slk
        WHERE slk.SourceTable = 'Items'
            AND slk.KeyValues =    'ItemID=' + CONVERT(VARCHAR,i.[ItemID]) 
    )

INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT 'Items',
           'I',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           '<AUDIT>' + 
           '<COLUMN NAME=''Name'' BEFORE='''' AFTER=''' + COALESCE(REPLACE(CONVERT(VARCHAR(20),i.[Name]),'''','&apos;'),'NULL') + '''/>' + 
        '</AUDIT>'
    FROM inserted i, TallixKeys slk
        WHERE slk.SourceTable = 'Items'
            AND slk.KeyValues =    'ItemID=' + CONVERT(VARCHAR,i.[ItemID]) 

SET NOCOUNT OFF

GO

IF OBJECT_ID('dbo.ItemsTallixInsert') IS NOT NULL
   PRINT '<<< CREATED TRIGGER dbo.ItemsTallixInsert >>>'
ELSE
   PRINT '<<< FAILED CREATING TRIGGER dbo.ItemsTallixInsert >>>'
GO

IF OBJECT_ID('sales.ItemsTallixInsert') IS NOT NULL
BEGIN
   DROP TRIGGER sales.ItemsTallixInsert
   IF OBJECT_ID('sales.ItemsTallixInsert') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER sales.ItemsTallixInsert >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER sales.ItemsTallixInsert >>>'
END
GO

CREATE TRIGGER sales.ItemsTallixInsert ON [sales].[Items]
FOR INSERT
AS

-- sales.ItemsTallixInsert
-- Tallix Generated Code  [2.0.9]
-- Generated on 2026-03-14 09:26:53
-- ----------------------------------

DECLARE @Application AS VARCHAR(64)
DECLARE @Username AS VARCHAR(64)

SET NOCOUNT ON

SELECT @Application = APP_NAME(),
       @Username = SYSTEM_USER

INSERT dbo.TallixKeys(sourcetable, KeyValues)
    SELECT 'sales.Items',
        'ItemID=' + CONVERT(VARCHAR,i.[ItemID]) 
    FROM inserted i
    WHERE NOT EXISTS (
        SELECT slk.keyid
        FROM dbo.TallixKeys slk
        WHERE slk.SourceTable = 'sales.Items'
            AND slk.KeyValues =    'ItemID=' + CONVERT(VARCHAR,i.[ItemID]) 
    )

INSERT dbo.Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT 'sales.Items',
           'I',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           '<AUDIT>' + 
           '<COLUMN NAME=''Name'' BEFORE='''' AFTER=''' + COALESCE(REPLACE(CONVERT(VARCHAR(20),i.[Name]),'''','&apos;'),'NULL') + '''/>' + 
        '</AUDIT>'
    FROM inserted i, dbo.TallixKeys slk
        WHERE slk.SourceTable = 'sales.Items'
            AND slk.KeyValues =    'ItemID=' + CONVERT(VARCHAR,i.[ItemID]) 

SET NOCOUNT OFF

GO

IF OBJECT_ID('sales.ItemsTallixInsert') IS NOT NULL
   PRINT '<<< CREATED TRIGGER sales.ItemsTallixInsert >>>'
ELSE
   PRINT '<<< FAILED CREATING TRIGGER sales.ItemsTallixInsert >>>'
GO

IF OBJECT_ID('[o''brien sales].ItemsTallixInsert') IS NOT NULL
BEGIN
   DROP TRIGGER [o'brien sales].ItemsTallixInsert
   IF OBJECT_ID('[o''brien sales].ItemsTallixInsert') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER [o''brien sales].ItemsTallixInsert >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER [o''brien sales].ItemsTallixInsert >>>'
END
GO

CREATE TRIGGER [o'brien sales].ItemsTallixInsert ON [o'brien sales].[Items]
FOR INSERT
AS

-- o'brien sales.ItemsTallixInsert
-- Tallix Generated Code  [2.0.9]
-- Generated on 2026-03-14 09:26:53
-- ----------------------------------

DECLARE @Application AS VARCHAR(64)
DECLARE @Username AS VARCHAR(64)

SET NOCOUNT ON

SELECT @Application = APP_NAME(),
       @Username = SYSTEM_USER

INSERT dbo.TallixKeys(sourcetable, KeyValues)
    SELECT 'o''brien sales.Items',
        'ItemID=' + CONVERT(VARCHAR,i.[ItemID]) 
    FROM inserted i
    WHERE NOT EXISTS (
        SELECT slk.keyid
        FROM dbo.TallixKeys slk
        WHERE slk.SourceTable = 'o''brien sales.Items'
            AND slk.KeyValues =    'ItemID=' + CONVERT(VARCHAR,i.[ItemID]) 
    )

INSERT dbo.Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT 'o''brien sales.Items',
           'I',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           '<AUDIT>' + 
           '<COLUMN NAME=''Name'' BEFORE='''' AFTER=''' + COALESCE(REPLACE(CONVERT(VARCHAR(20),i.[Name]),'''','&apos;'),'NULL') + '''/>' + 
        '</AUDIT>'
    FROM inserted i, dbo.TallixKeys slk
        WHERE slk.SourceTable = 'o''brien sales.Items'
            AND slk.KeyValues =    'ItemID=' + CONVERT(VARCHAR,i.[ItemID]) 

SET NOCOUNT OFF

GO

IF OBJECT_ID('[o''brien sales].ItemsTallixInsert') IS NOT NULL
   PRINT '<<< CREATED TRIGGER [o''brien sales].ItemsTallixInsert >>>'
ELSE
   PRINT '<<< FAILED CREATING TRIGGER [o''brien sales].ItemsTallixInsert >>>'
GO


