IF OBJECT_ID('dbo.CustomersTallixUpdate') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.CustomersTallixUpdate
   IF OBJECT_ID('dbo.CustomersTallixUpdate') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.CustomersTallixUpdate >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.CustomersTallixUpdate >>>'
END
GO

CREATE TRIGGER CustomersTallixUpdate ON [Customers]
FOR UPDATE
AS

-- CustomersTallixUpdate
-- Tallix Generated Code  [2.0.9]
-- Generated on 2026-03-14 09:26:53
-- ----------------------------------

DECLARE @Application AS NVARCHAR(64)
DECLARE @Username AS NVARCHAR(64)

SET NOCOUNT ON

SELECT @Application = APP_NAME(),
       @Username = SYSTEM_USER

-- cover both the inserted and deleted keys
INSERT TallixKeys(sourcetable, KeyValues)
    SELECT N'Customers',
        N'Code=' + CONVERT(NVARCHAR(10),i.[Code]) 
    FROM inserted i
    WHERE NOT EXISTS (
        SELECT slk.keyid
        FROM TallixKeys slk
        WHERE slk.SourceTable = N'Customers'
            AND slk.KeyValues =    N'Code=' + CONVERT(NVARCHAR(10),i.[Code]) 
    )

INSERT TallixKeys(sourcetable, KeyValues)
    SELECT N'Customers',
        N'Code=' + CONVERT(NVARCHAR(10),d.[Code]) 
    FROM deleted d
    WHERE NOT EXISTS (
        SELECT slk.keyid
        FROM TallixKeys slk
        WHERE slk.SourceTable = N'Customers'
            AND slk.KeyValues =    N'Code=' + CONVERT(NVARCHAR(10),d.[Code]) 
    )

INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT N'Customers',
           'U',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           CAST(N'<AUDIT>' AS NVARCHAR(MAX)) + 
           N'<COLUMN NAME=''Code'' BEFORE=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(MAX),d.[Code]),N'''',N'&apos;'),N'NULL') + N''' AFTER=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(MAX),i.[Code]),N'''',N'&apos;'),N'NULL') + N'''/>' +
           N'</AUDIT>'
    FROM inserted i, deleted d, TallixKeys slk
        WHERE slk.SourceTable = N'Customers'
            AND slk.KeyValues =    N'Code=' + CONVERT(NVARCHAR(10),i.[Code]) 
            AND
                i.[Code] = d.[Code]



INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT N'Customers',
           'I',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           CAST(N'<AUDIT>' AS NVARCHAR(MAX)) + 
           N'<COLUMN NAME=''Code'' BEFORE=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(MAX),d.[Code]),N'''',N'&apos;'),N'NULL') + N''' AFTER=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(MAX),i.[Code]),N'''',N'&apos;'),N'NULL') + N'''/>' +
           N'</AUDIT>'
    FROM inserted i left join deleted d on (i.[Code] = d.[Code]),
         TallixKeys slk
        WHERE slk.SourceTable = N'Customers'
            AND slk.KeyValues =    N'Code=' + CONVERT(NVARCHAR(10),i.[Code]) 
            AND (
                      d.[Code] IS NULL
)


INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT N'Customers',
           'D',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           CAST(N'<AUDIT>' AS NVARCHAR(MAX)) + 
           N'<COLUMN NAME=''Code'' BEFORE=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(MAX),d.[Code]),N'''',N'&apos;'),N'NULL') + N''' AFTER=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(MAX),i.[Code]),N'''',N'&apos;'),N'NULL') + N'''/>' +
           N'</AUDIT>'
    FROM deleted d left join inserted i on (d.[Code] = i.[Code]),
         TallixKeys slk
        WHERE slk.SourceTable = N'Customers'
            AND slk.KeyValues =    N'Code=' + CONVERT(NVARCHAR(10),d.[Code]) 
            AND (
                      i.[Code] IS NULL
)


SET NOCOUNT OFF

GO

IF OBJECT_ID('dbo.CustomersTallixUpdate') IS NOT NULL
   PRINT '<<< CREATED TRIGGER dbo.CustomersTallixUpdate >>>'
ELSE
   PRINT '<<< FAILED CREATING TRIGGER dbo.CustomersTallixUpdate >>>'
GO

