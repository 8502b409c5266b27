IF OBJECT_ID('dbo.CustomersTallixInsert') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.CustomersTallixInsert
   IF OBJECT_ID('dbo.CustomersTallixInsert') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.CustomersTallixInsert >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.CustomersTallixInsert >>>'
END
GO

CREATE TRIGGER CustomersTallixInsert ON [Customers]
FOR INSERT
AS

-- CustomersTallixInsert
-- Tallix Generated Code  [2.0.9]
-- Generated on 2026-03-14 09:26:53
-- ----------------------------------

DECLARE @Application AS VARCHAR(64)
DECLARE @Username AS VARCHAR(64)

SET NOCOUNT ON

SELECT @Application = APP_NAME(),
       @Username = SYSTEM_USER

INSERT TallixKeys(sourcetable, KeyValues)
    SELECT 'Customers',
        'Code=' + CONVERT(VARCHAR(10),i.[Code]) 
    FROM inserted i
    WHERE NOT EXISTS (
        SELECT slk.keyid
        FROM TallixKeys slk
        WHERE slk.SourceTable = 'Customers'
            AND slk.KeyValues =    'Code=' + CONVERT(VARCHAR(10),i.[Code]) 
    )

INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT 'Customers',
           'I',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           '<AUDIT>' + 
           '<COLUMN NAME=''Code'' BEFORE='''' AFTER=''' + COALESCE(REPLACE(CONVERT(VARCHAR(10),i.[Code]),'''','&apos;'),'NULL') + '''/>' + 
        '</AUDIT>'
    FROM inserted i, TallixKeys slk
        WHERE slk.SourceTable = 'Customers'
            AND slk.KeyValues =    'Code=' + CONVERT(VARCHAR(10),i.[Code]) 

SET NOCOUNT OFF

GO

IF OBJECT_ID('dbo.CustomersTallixInsert') IS NOT NULL
   PRINT '<<< CREATED TRIGGER dbo.CustomersTallixInsert >>>'
ELSE
   PRINT '<<< FAILED CREATING TRIGGER dbo.CustomersTallixInsert >>>'
GO

