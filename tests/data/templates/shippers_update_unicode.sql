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

-- cover both the inserted and deleted keys
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
           'U',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           CAST(N'<AUDIT>' AS NVARCHAR(MAX)) + 
           N'<COLUMN NAME=''ShipperID'' BEFORE=''' + COALESCE(CONVERT(VARCHAR,d.[ShipperID]),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR,i.[ShipperID]),N'NULL') + N'''/>' +
           N'<COLUMN NAME=''CompanyName'' BEFORE=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(MAX),d.[CompanyName]),N'''',N'&apos;'),N'NULL') + N''' AFTER=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(MAX),i.[CompanyName]),N'''',N'&apos;'),N'NULL') + N'''/>' +
           N'<COLUMN NAME=''Rate'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(40),d.[Rate]),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR(40),i.[Rate]),N'NULL') + N'''/>' +
           N'<COLUMN NAME=''LastChange'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(32),d.[LastChange],21),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR(32),i.[LastChange],21),N'NULL') + N'''/>' +
           N'</AUDIT>'
    FROM inserted i, deleted d, TallixKeys slk
        WHERE slk.SourceTable = N'Shippers'
            AND slk.KeyValues =    N'ShipperID=' + CONVERT(VARCHAR,i.[ShipperID]) 
            AND
                i.[ShipperID] = d.[ShipperID]



INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT N'Shippers',
           'I',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           CAST(N'<AUDIT>' AS NVARCHAR(MAX)) + 
           N'<COLUMN NAME=''ShipperID'' BEFORE=''' + COALESCE(CONVERT(VARCHAR,d.[ShipperID]),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR,i.[ShipperID]),N'NULL') + N'''/>' +
           N'<COLUMN NAME=''CompanyName'' BEFORE=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(MAX),d.[CompanyName]),N'''',N'&apos;'),N'NULL') + N''' AFTER=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(MAX),i.[CompanyName]),N'''',N'&apos;'),N'NULL') + N'''/>' +
           N'<COLUMN NAME=''Rate'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(40),d.[Rate]),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR(40),i.[Rate]),N'NULL') + N'''/>' +
           N'<COLUMN NAME=''LastChange'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(32),d.[LastChange],21),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR(32),i.[LastChange],21),N'NULL') + N'''/>' +
           N'</AUDIT>'
    FROM inserted i left join deleted d on (i.[ShipperID] = d.[ShipperID]),
         TallixKeys slk
        WHERE slk.SourceTable = N'Shippers'
            AND slk.KeyValues =    N'ShipperID=' + CONVERT(VARCHAR,i.[ShipperID]) 
            AND (
                      d.[ShipperID] IS NULL
)


INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT N'Shippers',
           'D',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           CAST(N'<AUDIT>' AS NVARCHAR(MAX)) + 
           N'<COLUMN NAME=''ShipperID'' BEFORE=''' + COALESCE(CONVERT(VARCHAR,d.[ShipperID]),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR,i.[ShipperID]),N'NULL') + N'''/>' +
           N'<COLUMN NAME=''CompanyName'' BEFORE=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(MAX),d.[CompanyName]),N'''',N'&apos;'),N'NULL') + N''' AFTER=''' + COALESCE(REPLACE(CONVERT(NVARCHAR(MAX),i.[CompanyName]),N'''',N'&apos;'),N'NULL') + N'''/>' +
           N'<COLUMN NAME=''Rate'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(40),d.[Rate]),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR(40),i.[Rate]),N'NULL') + N'''/>' +
           N'<COLUMN NAME=''LastChange'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(32),d.[LastChange],21),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR(32),i.[LastChange],21),N'NULL') + N'''/>' +
           N'</AUDIT>'
    FROM deleted d left join inserted i on (d.[ShipperID] = i.[ShipperID]),
         TallixKeys slk
        WHERE slk.SourceTable = N'Shippers'
            AND slk.KeyValues =    N'ShipperID=' + CONVERT(VARCHAR,d.[ShipperID]) 
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

