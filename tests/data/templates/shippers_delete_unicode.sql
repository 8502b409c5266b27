IF OBJECT_ID('dbo.ShippersTallixDelete') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.ShippersTallixDelete
   IF OBJECT_ID('dbo.ShippersTallixDelete') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.ShippersTallixDelete >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.ShippersTallixDelete >>>'
END
GO

CREATE TRIGGER ShippersTallixDelete ON [Shippers]
FOR DELETE
AS

-- ShippersTallixDelete
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
        N'ShipperID=' + CONVERT(VARCHAR,d.[ShipperID]) 
    FROM deleted d
    WHERE NOT EXISTS (
        SELECT slk.keyid
        FROM TallixKeys slk
        WHERE slk.SourceTable = N'Shippers'
            AND slk.KeyValues =    N'ShipperID=' + CONVERT(VARCHAR,d.[ShipperID]) 
    )

INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT N'Shippers',
           'D',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           CAST(N'<AUDIT>' AS NVARCHAR(MAX)) + 
           N'<COLUMN NAME=''ShipperID'' BEFORE=''' + COALESCE(CONVERT(VARCHAR,d.[ShipperID]),N'NULL') + N''' AFTER=''''/>' + 
           N'<COLUMN NAME=''CompanyName'' BEFORE=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(MAX),d.[CompanyName]),N'''',N'&apos;'),N'NULL') + N''' AFTER=''''/>' + 
           N'<COLUMN NAME=''Rate'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(40),d.[Rate]),N'NULL') + N''' AFTER=''''/>' + 
           N'<COLUMN NAME=''LastChange'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(32),d.[LastChange],21),N'NULL') + N''' AFTER=''''/>' + 
        N'</AUDIT>'
    FROM deleted d, TallixKeys slk
        WHERE slk.SourceTable = N'Shippers'
            AND slk.KeyValues =    N'ShipperID=' + CONVERT(VARCHAR,d.[ShipperID]) 

SET NOCOUNT OFF

GO

IF OBJECT_ID('dbo.ShippersTallixDelete') IS NOT NULL
   PRINT '<<< CREATED TRIGGER dbo.ShippersTallixDelete >>>'
ELSE
   PRINT '<<< FAILED CREATING TRIGGER dbo.ShippersTallixDelete >>>'
GO

