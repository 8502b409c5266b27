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

