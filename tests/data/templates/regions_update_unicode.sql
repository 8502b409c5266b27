IF OBJECT_ID('dbo.RegionsTallixUpdate') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.RegionsTallixUpdate
   IF OBJECT_ID('dbo.RegionsTallixUpdate') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.RegionsTallixUpdate >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.RegionsTallixUpdate >>>'
END
GO

CREATE TRIGGER RegionsTallixUpdate ON [Regions]
FOR UPDATE
AS

-- RegionsTallixUpdate
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
    SELECT N'Regions',
        N'RegionID=' + CONVERT(VARCHAR(36),i.[RegionID]) 
    FROM inserted i
    WHERE NOT EXISTS (
        SELECT slk.keyid
        FROM TallixKeys slk
        WHERE slk.SourceTable = N'Regions'
            AND slk.KeyValues =    N'RegionID=' + CONVERT(VARCHAR(36),i.[RegionID]) 
    )

INSERT TallixKeys(sourcetable, KeyValues)
    SELECT N'Regions',
        N'RegionID=' + CONVERT(VARCHAR(36),d.[RegionID]) 
    FROM deleted d
    WHERE NOT EXISTS (
        SELECT slk.keyid
        FROM TallixKeys slk
        WHERE slk.SourceTable = N'Regions'
            AND slk.KeyValues =    N'RegionID=' + CONVERT(VARCHAR(36),d.[RegionID]) 
    )

INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT N'Regions',
           'U',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           CAST(N'<AUDIT>' AS NVARCHAR(MAX)) + 
           N'</AUDIT>'
    FROM inserted i, deleted d, TallixKeys slk
        WHERE slk.SourceTable = N'Regions'
            AND slk.KeyValues =    N'RegionID=' + CONVERT(VARCHAR(36),i.[RegionID]) 
            AND
                i.[RegionID] = d.[RegionID]



INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT N'Regions',
           'I',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           CAST(N'<AUDIT>' AS NVARCHAR(MAX)) + 
           N'</AUDIT>'
    FROM inserted i left join deleted d on (i.[RegionID] = d.[RegionID]),
         TallixKeys slk
        WHERE slk.SourceTable = N'Regions'
            AND slk.KeyValues =    N'RegionID=' + CONVERT(VARCHAR(36),i.[RegionID]) 
            AND (
                      d.[RegionID] IS NULL
)


INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT N'Regions',
           'D',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           CAST(N'<AUDIT>' AS NVARCHAR(MAX)) + 
           N'</AUDIT>'
    FROM deleted d left join inserted i on (d.[RegionID] = i.[RegionID]),
         TallixKeys slk
        WHERE slk.SourceTable = N'Regions'
            AND slk.KeyValues =    N'RegionID=' + CONVERT(VARCHAR(36),d.[RegionID]) 
            AND (
                      i.[RegionID] IS NULL
)


SET NOCOUNT OFF

GO

IF OBJECT_ID('dbo.RegionsTallixUpdate') IS NOT NULL
   PRINT '<<< CREATED TRIGGER dbo.RegionsTallixUpdate >>>'
ELSE
   PRINT '<<< FAILED CREATING TRIGGER dbo.RegionsTallixUpdate >>>'
GO

