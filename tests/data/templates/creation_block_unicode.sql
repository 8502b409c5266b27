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
   IF EXISTS (SELECT * FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_SCHEMA = 'dbo' AND TABLE_NAME = 'TallixKeys' AND DATA_TYPE = 'varchar')
        BEGIN
        IF EXISTS (SELECT * FROM dbo.TallixKeys WHERE DATALENGTH(KeyValues) > 450)
            PRINT '<<< FAILED ALTERING TABLE dbo.TallixKeys: a key text is longer than 450 characters >>>'
        ELSE
            BEGIN
            PRINT '<<< Non-Unicode TallixKeys table found... altering structure >>>'
            IF EXISTS (SELECT * FROM sysindexes WHERE id=OBJECT_ID('dbo.TallixKeys') AND name='IX_TallixKeys')
                DROP INDEX dbo.TallixKeys.IX_TallixKeys
            ALTER TABLE dbo.TallixKeys ALTER COLUMN SourceTable nvarchar(64)
            IF COLUMNPROPERTY(OBJECT_ID('dbo.TallixKeys'),'SourceTable','AllowsNull') = 1
                EXEC('ALTER TABLE dbo.TallixKeys ALTER COLUMN SourceTable nvarchar(64) NOT NULL')
            ALTER TABLE dbo.TallixKeys ALTER COLUMN KeyValues nvarchar(450)
            IF COLUMNPROPERTY(OBJECT_ID('dbo.TallixKeys'),'KeyValues','AllowsNull') = 1
                EXEC('ALTER TABLE dbo.TallixKeys ALTER COLUMN KeyValues nvarchar(450) NOT NULL')
            END
        END
    END

ELSE

BEGIN

CREATE TABLE [TallixKeys]
(
    KeyID       uniqueidentifier   NOT NULL CONSTRAINT [DF_TallixKeys_ID_1] DEFAULT (newid()),
    SourceTable nvarchar(64)       NOT NULL,
    KeyValues   nvarchar(450)     NOT NULL,
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
   BEGIN
   PRINT '<<< TABLE dbo.Tallix ALREADY EXISTS >>>'
   IF EXISTS (SELECT * FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_SCHEMA = 'dbo' AND TABLE_NAME = 'Tallix' AND DATA_TYPE IN ('varchar', 'text'))
        BEGIN
        PRINT '<<< Non-Unicode Tallix table found... altering structure >>>'
        ALTER TABLE dbo.Tallix ALTER COLUMN SourceTable nvarchar(64)
        IF COLUMNPROPERTY(OBJECT_ID('dbo.Tallix'),'SourceTable','AllowsNull') = 1
            EXEC('ALTER TABLE dbo.Tallix ALTER COLUMN SourceTable nvarchar(64) NOT NULL')
        ALTER TABLE dbo.Tallix ALTER COLUMN Username nvarchar(64)
        IF COLUMNPROPERTY(OBJECT_ID('dbo.Tallix'),'Username','AllowsNull') = 1
            EXEC('ALTER TABLE dbo.Tallix ALTER COLUMN Username nvarchar(64) NOT NULL')
        ALTER TABLE dbo.Tallix ALTER COLUMN Workstation nvarchar(64)
        IF COLUMNPROPERTY(OBJECT_ID('dbo.Tallix'),'Workstation','AllowsNull') = 1
            EXEC('ALTER TABLE dbo.Tallix ALTER COLUMN Workstation nvarchar(64) NOT NULL')
        ALTER TABLE dbo.Tallix ALTER COLUMN Application nvarchar(64)
        IF COLUMNPROPERTY(OBJECT_ID('dbo.Tallix'),'Application','AllowsNull') = 1
            EXEC('ALTER TABLE dbo.Tallix ALTER COLUMN Application nvarchar(64) NOT NULL')
        ALTER TABLE dbo.Tallix ALTER COLUMN Data nvarchar(max)
        IF COLUMNPROPERTY(OBJECT_ID('dbo.Tallix'),'Data','AllowsNull') = 1
            EXEC('ALTER TABLE dbo.Tallix ALTER COLUMN Data nvarchar(max) NOT NULL')
        END
   END
ELSE

BEGIN

CREATE TABLE [Tallix]
(
    LogID           uniqueidentifier   NOT NULL CONSTRAINT [DF_Tallix_ID_1] DEFAULT (newid()),
    SourceTable     nvarchar(64)       NOT NULL,
    TransactionType char(1)            NOT NULL,
    TransactionDate datetime           NOT NULL CONSTRAINT [DF_Tallix_TransactionDate_1] DEFAULT (getdate()),
    Username        nvarchar(64)       NOT NULL,
    Workstation     nvarchar(64)       NOT NULL,
    Application     nvarchar(64)       NOT NULL,
    KeyID           uniqueidentifier   NOT NULL,
    Data            nvarchar(max)      NOT NULL,
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

