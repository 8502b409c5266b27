IF OBJECT_ID('dbo.CustomersTallixDelete') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.CustomersTallixDelete
   IF OBJECT_ID('dbo.CustomersTallixDelete') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.CustomersTallixDelete >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.CustomersTallixDelete >>>'
END
GO

CREATE TRIGGER CustomersTallixDelete ON [Customers]
FOR DELETE
AS

-- CustomersTallixDelete
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
        'Code=' + CONVERT(VARCHAR(10),d.[Code]) 
    FROM deleted d
    WHERE NOT EXISTS (
        SELECT slk.keyid
        FROM TallixKeys slk
        WHERE slk.SourceTable = 'Customers'
            AND slk.KeyValues =    'Code=' + CONVERT(VARCHAR(10),d.[Code]) 
    )

INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT 'Customers',
           'D',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           '<AUDIT>' + 
           '<COLUMN NAME=''Code'' BEFORE=''' + COALESCE(REPLACE(CONVERT(VARCHAR(10),d.[Code]),'''','&apos;'),'NULL') + ''' AFTER=''''/>' + 
        '</AUDIT>'
    FROM deleted d, TallixKeys slk
        WHERE slk.SourceTable = 'Customers'
            AND slk.KeyValues =    'Code=' + CONVERT(VARCHAR(10),d.[Code]) 

SET NOCOUNT OFF

GO

IF OBJECT_ID('dbo.CustomersTallixDelete') IS NOT NULL
   PRINT '<<< CREATED TRIGGER dbo.CustomersTallixDelete >>>'
ELSE
   PRINT '<<< FAILED CREATING TRIGGER dbo.CustomersTallixDelete >>>'
GO

