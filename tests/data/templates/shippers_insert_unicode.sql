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

DECLARE @Application AS NVARCHAR(64)
DECLARE @Username AS NVARCHAR(64)

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
    SELECT N'Shippers',
        N'ShipperID=' + CONVERT(VARCHAR,i.[ShipperID]) 
    FROM inserted i
    WHERE NOT EXISTS (
        SELECT slk.keyid
        FROM TallixKeys slk
        WHERE slk.SourceTable = N'Shippers'
            AND slk.KeyValues =    N'ShipperID=' + CONVERT(VARCHAR,i.[ShipperID]) 
    )

INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT N'Shippers',
           'I',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           CAST(N'<AUDIT>' AS NVARCHAR(MAX)) + 
           N'<COLUMN NAME=''ShipperID'' BEFORE='''' AFTER=''' + COALESCE(CONVERT(VARCHAR,i.[ShipperID]),N'NULL') + N'''/>' + 
           N'<COLUMN NAME=''CompanyName'' BEFORE='''' AFTER=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(MAX),i.[CompanyName]),N'''',N'&apos;'),N'NULL') + N'''/>' + 
           N'<COLUMN NAME=''Rate'' BEFORE='''' AFTER=''' + COALESCE(CONVERT(VARCHAR(40),i.[Rate]),N'NULL') + N'''/>' + 
           N'<COLUMN NAME=''LastChange'' BEFORE='''' AFTER=''' + COALESCE(CONVERT(VARCHAR(32),i.[LastChange],21),N'NULL') + N'''/>' + 
        N'</AUDIT>'
    FROM inserted i, TallixKeys slk
        WHERE slk.SourceTable = N'Shippers'
            AND slk.KeyValues =    N'ShipperID=' + CONVERT(VARCHAR,i.[ShipperID]) 

SET NOCOUNT OFF

GO

IF OBJECT_ID('dbo.ShippersTallixInsert') IS NOT NULL
   PRINT '<<< CREATED TRIGGER dbo.ShippersTallixInsert >>>'
ELSE
   PRINT '<<< FAILED CREATING TRIGGER dbo.ShippersTallixInsert >>>'
GO

