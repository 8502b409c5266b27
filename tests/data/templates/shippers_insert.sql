IF OBJECT_ID('dbo.ShippersTallixInsert') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.ShippersTallixInsert
   IF OBJECT_ID('dbo.ShippersTallixInsert') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.ShippersTallixInsert >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.ShippersTallixInsert >>>'
END
GO

CREATE TRIGGER ShippersTallixInsert ON [Shippers]
FOR INSERT
AS

-- ShippersTallixInsert
-- Tallix Generated Code  [2.0.9]
-- Generated on 2026-03-14 09:26:53
-- ----------------------------------

DECLARE @Application AS VARCHAR(64)
DECLARE @Username AS VARCHAR(64)

SET NOCOUNT ON

IF (SELECT PATINDEX('%<<%>>%',APP_NAME())) > 0
   BEGIN
   SELECT @Application = (SELECT RTRIM(LEFT(APP_NAME(),(SELECT PATINDEX('%<<%>>%',APP_NAME()))-1)))
   SELECT @Username = SUBSTRING(APP_NAME(),(SELECT PATINDEX('%<<%>>%',APP_NAME()))+2,100)
   SELECT @Username = LEFT(@Username,(SELECT PATINDEX('%>>%',@Username + '>>'))-1)
   END
ELSE
   BEGIN
   SELECT @Application = APP_NAME(),
          @Username = SYSTEM_USER
   END

INSERT TallixKeys(sourcetable, KeyValues)
    SELECT 'Shippers',
        'ShipperID=' + CONVERT(VARCHAR,i.[ShipperID]) 
    FROM inserted i
    WHERE NOT EXISTS (
        SELECT slk.keyid
        FROM TallixKeys slk
        WHERE slk.SourceTable = 'Shippers'
            AND slk.KeyValues =    'ShipperID=' + CONVERT(VARCHAR,i.[ShipperID]) 
    )

INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT 'Shippers',
           'I',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           '<AUDIT>' + 
           '<COLUMN NAME=''ShipperID'' BEFORE='''' AFTER=''' + COALESCE(CONVERT(VARCHAR,i.[ShipperID]),'NULL') + '''/>' + 
           '<COLUMN NAME=''CompanyName'' BEFORE='''' AFTER=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(40),i.[CompanyName]),'''','&apos;'),'NULL') + '''/>' + 
           '<COLUMN NAME=''Rate'' BEFORE='''' AFTER=''' + COALESCE(CONVERT(VARCHAR(40),i.[Rate]),'NULL') + '''/>' + 
           '<COLUMN NAME=''LastChange'' BEFORE='''' AFTER=''' + COALESCE(CONVERT(VARCHAR(32),i.[LastChange],21),'NULL') + '''/>' + 
        '</AUDIT>'
    FROM inserted i, TallixKeys slk
        WHERE slk.SourceTable = 'Shippers'
            AND slk.KeyValues =    'ShipperID=' + CONVERT(VARCHAR,i.[ShipperID]) 

SET NOCOUNT OFF

GO

IF OBJECT_ID('dbo.ShippersTallixInsert') IS NOT NULL
   PRINT '<<< CREATED TRIGGER dbo.ShippersTallixInsert >>>'
ELSE
   PRINT '<<< FAILED CREATING TRIGGER dbo.ShippersTallixInsert >>>'
GO

