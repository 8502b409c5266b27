IF OBJECT_ID('dbo.ShippersTallixUpdate') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.ShippersTallixUpdate
   IF OBJECT_ID('dbo.ShippersTallixUpdate') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.ShippersTallixUpdate >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.ShippersTallixUpdate >>>'
END
GO

CREATE TRIGGER ShippersTallixUpdate ON [Shippers]
FOR UPDATE
AS

-- ShippersTallixUpdate
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

-- cover both the inserted and deleted keys
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

INSERT TallixKeys(sourcetable, KeyValues)
    SELECT 'Shippers',
        'ShipperID=' + CONVERT(VARCHAR,d.[ShipperID]) 
    FROM deleted d
    WHERE NOT EXISTS (
        SELECT slk.keyid
        FROM TallixKeys slk
        WHERE slk.SourceTable = 'Shippers'
            AND slk.KeyValues =    'ShipperID=' + CONVERT(VARCHAR,d.[ShipperID]) 
    )

INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT 'Shippers',
           'U',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           '<AUDIT>' + 
           '<COLUMN NAME=''ShipperID'' BEFORE=''' + COALESCE(CONVERT(VARCHAR,d.[ShipperID]),'NULL') + ''' AFTER=''' + COALESCE(CONVERT(VARCHAR,i.[ShipperID]),'NULL') + '''/>' +
           '<COLUMN NAME=''CompanyName'' BEFORE=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(40),d.[CompanyName]),'''','&apos;'),'NULL') + ''' AFTER=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(40),i.[CompanyName]),'''','&apos;'),'NULL') + '''/>' +
           '<COLUMN NAME=''Rate'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(40),d.[Rate]),'NULL') + ''' AFTER=''' + COALESCE(CONVERT(VARCHAR(40),i.[Rate]),'NULL') + '''/>' +
           '<COLUMN NAME=''LastChange'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(32),d.[LastChange],21),'NULL') + ''' AFTER=''' + COALESCE(CONVERT(VARCHAR(32),i.[LastChange],21),'NULL') + '''/>' +
           '</AUDIT>'
    FROM inserted i, deleted d, TallixKeys slk
        WHERE slk.SourceTable = 'Shippers'
            AND slk.KeyValues =    'ShipperID=' + CONVERT(VARCHAR,i.[ShipperID]) 
            AND
                i.[ShipperID] = d.[ShipperID]



INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT 'Shippers',
           'I',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           '<AUDIT>' + 
           '<COLUMN NAME=''ShipperID'' BEFORE=''' + COALESCE(CONVERT(VARCHAR,d.[ShipperID]),'NULL') + ''' AFTER=''' + COALESCE(CONVERT(VARCHAR,i.[ShipperID]),'NULL') + '''/>' +
           '<COLUMN NAME=''CompanyName'' BEFORE=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(40),d.[CompanyName]),'''','&apos;'),'NULL') + ''' AFTER=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(40),i.[CompanyName]),'''','&apos;'),'NULL') + '''/>' +
           '<COLUMN NAME=''Rate'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(40),d.[Rate]),'NULL') + ''' AFTER=''' + COALESCE(CONVERT(VARCHAR(40),i.[Rate]),'NULL') + '''/>' +
           '<COLUMN NAME=''LastChange'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(32),d.[LastChange],21),'NULL') + ''' AFTER=''' + COALESCE(CONVERT(VARCHAR(32),i.[LastChange],21),'NULL') + '''/>' +
           '</AUDIT>'
    FROM inserted i left join deleted d on (i.[ShipperID] = d.[ShipperID]),
         TallixKeys slk
        WHERE slk.SourceTable = 'Shippers'
            AND slk.KeyValues =    'ShipperID=' + CONVERT(VARCHAR,i.[ShipperID]) 
            AND (
                      d.[ShipperID] IS NULL
)


INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT 'Shippers',
           'D',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           '<AUDIT>' + 
           '<COLUMN NAME=''ShipperID'' BEFORE=''' + COALESCE(CONVERT(VARCHAR,d.[ShipperID]),'NULL') + ''' AFTER=''' + COALESCE(CONVERT(VARCHAR,i.[ShipperID]),'NULL') + '''/>' +
           '<COLUMN NAME=''CompanyName'' BEFORE=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(40),d.[CompanyName]),'''','&apos;'),'NULL') + ''' AFTER=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(40),i.[CompanyName]),'''','&apos;'),'NULL') + '''/>' +
           '<COLUMN NAME=''Rate'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(40),d.[Rate]),'NULL') + ''' AFTER=''' + COALESCE(CONVERT(VARCHAR(40),i.[Rate]),'NULL') + '''/>' +
           '<COLUMN NAME=''LastChange'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(32),d.[LastChange],21),'NULL') + ''' AFTER=''' + COALESCE(CONVERT(VARCHAR(32),i.[LastChange],21),'NULL') + '''/>' +
           '</AUDIT>'
    FROM deleted d left join inserted i on (d.[ShipperID] = i.[ShipperID]),
         TallixKeys slk
        WHERE slk.SourceTable = 'Shippers'
            AND slk.KeyValues =    'ShipperID=' + CONVERT(VARCHAR,d.[ShipperID]) 
            AND (
                      i.[ShipperID] IS NULL
)


SET NOCOUNT OFF

GO

IF OBJECT_ID('dbo.ShippersTallixUpdate') IS NOT NULL
   PRINT '<<< CREATED TRIGGER dbo.ShippersTallixUpdate >>>'
ELSE
   PRINT '<<< FAILED CREATING TRIGGER dbo.ShippersTallixUpdate >>>'
GO

