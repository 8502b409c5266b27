IF OBJECT_ID('dbo.Order_DetailsTallixUpdate') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.Order_DetailsTallixUpdate
   IF OBJECT_ID('dbo.Order_DetailsTallixUpdate') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.Order_DetailsTallixUpdate >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.Order_DetailsTallixUpdate >>>'
END
GO

CREATE TRIGGER Order_DetailsTallixUpdate ON [Order Details]
FOR UPDATE
AS

-- Order DetailsTallixUpdate
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
    SELECT N'Order Details',
        N'OrderID=' + CONVERT(VARCHAR,i.[OrderID]) + CHAR(1) +
        N'ProductID=' + CONVERT(VARCHAR,i.[ProductID]) 
    FROM inserted i
    WHERE NOT EXISTS (
        SELECT slk.keyid
        FROM TallixKeys slk
        WHERE slk.SourceTable = N'Order Details'
            AND slk.KeyValues =    N'OrderID=' + CONVERT(VARCHAR,i.[OrderID]) + CHAR(1) +
   N'ProductID=' + CONVERT(VARCHAR,i.[ProductID]) 
    )

INSERT TallixKeys(sourcetable, KeyValues)
    SELECT N'Order Details',
        N'OrderID=' + CONVERT(VARCHAR,d.[OrderID]) + CHAR(1) +
        N'ProductID=' + CONVERT(VARCHAR,d.[ProductID]) 
    FROM deleted d
    WHERE NOT EXISTS (
        SELECT slk.keyid
        FROM TallixKeys slk
        WHERE slk.SourceTable = N'Order Details'
            AND slk.KeyValues =    N'OrderID=' + CONVERT(VARCHAR,d.[OrderID]) + CHAR(1) +
   N'ProductID=' + CONVERT(VARCHAR,d.[ProductID]) 
    )

INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT N'Order Details',
           'U',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           CAST(N'<AUDIT>' AS NVARCHAR(MAX)) + 
           N'<COLUMN NAME=''OrderID'' BEFORE=''' + COALESCE(CONVERT(VARCHAR,d.[OrderID]),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR,i.[OrderID]),N'NULL') + N'''/>' +
           N'<COLUMN NAME=''UnitPrice'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(32),CONVERT(DECIMAL(19,4),d.[UnitPrice])),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR(32),CONVERT(DECIMAL(19,4),i.[UnitPrice])),N'NULL') + N'''/>' +
           N'<COLUMN NAME=''Discount'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(32),d.[Discount],2),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR(32),i.[Discount],2),N'NULL') + N'''/>' +
           N'</AUDIT>'
    FROM inserted i, deleted d, TallixKeys slk
        WHERE slk.SourceTable = N'Order Details'
            AND slk.KeyValues =    N'OrderID=' + CONVERT(VARCHAR,i.[OrderID]) + CHAR(1) +
   N'ProductID=' + CONVERT(VARCHAR,i.[ProductID]) 
            AND
                i.[OrderID] = d.[OrderID] AND 
                i.[ProductID] = d.[ProductID]



INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT N'Order Details',
           'I',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           CAST(N'<AUDIT>' AS NVARCHAR(MAX)) + 
           N'<COLUMN NAME=''OrderID'' BEFORE=''' + COALESCE(CONVERT(VARCHAR,d.[OrderID]),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR,i.[OrderID]),N'NULL') + N'''/>' +
           N'<COLUMN NAME=''UnitPrice'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(32),CONVERT(DECIMAL(19,4),d.[UnitPrice])),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR(32),CONVERT(DECIMAL(19,4),i.[UnitPrice])),N'NULL') + N'''/>' +
           N'<COLUMN NAME=''Discount'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(32),d.[Discount],2),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR(32),i.[Discount],2),N'NULL') + N'''/>' +
           N'</AUDIT>'
    FROM inserted i left join deleted d on (i.[OrderID] = d.[OrderID] AND 
i.[ProductID] = d.[ProductID]),
         TallixKeys slk
        WHERE slk.SourceTable = N'Order Details'
            AND slk.KeyValues =    N'OrderID=' + CONVERT(VARCHAR,i.[OrderID]) + CHAR(1) +
   N'ProductID=' + CONVERT(VARCHAR,i.[ProductID]) 
            AND (
                      d.[OrderID] IS NULL AND 
                      d.[ProductID] IS NULL
)


INSERT Tallix(SourceTable, TransactionType, UserName, Workstation, Application, KeyID, Data)
    SELECT N'Order Details',
           'D',
           @Username,
           HOST_NAME(),
           @Application,
           KeyID,
           CAST(N'<AUDIT>' AS NVARCHAR(MAX)) + 
           N'<COLUMN NAME=''OrderID'' BEFORE=''' + COALESCE(CONVERT(VARCHAR,d.[OrderID]),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR,i.[OrderID]),N'NULL') + N'''/>' +
           N'<COLUMN NAME=''UnitPrice'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(32),CONVERT(DECIMAL(19,4),d.[UnitPrice])),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR(32),CONVERT(DECIMAL(19,4),i.[UnitPrice])),N'NULL') + N'''/>' +
           N'<COLUMN NAME=''Discount'' BEFORE=''' + COALESCE(CONVERT(VARCHAR(32),d.[Discount],2),N'NULL') + N''' AFTER=''' + COALESCE(CONVERT(VARCHAR(32),i.[Discount],2),N'NULL') + N'''/>' +
           N'</AUDIT>'
    FROM deleted d left join inserted i on (d.[OrderID] = i.[OrderID] AND 
d.[ProductID] = i.[ProductID]),
         TallixKeys slk
        WHERE slk.SourceTable = N'Order Details'
            AND slk.KeyValues =    N'OrderID=' + CONVERT(VARCHAR,d.[OrderID]) + CHAR(1) +
   N'ProductID=' + CONVERT(VARCHAR,d.[ProductID]) 
            AND (
                      i.[OrderID] IS NULL AND 
                      i.[ProductID] IS NULL
)


SET NOCOUNT OFF

GO

IF OBJECT_ID('dbo.Order_DetailsTallixUpdate') IS NOT NULL
   PRINT '<<< CREATED TRIGGER dbo.Order_DetailsTallixUpdate >>>'
ELSE
   PRINT '<<< FAILED CREATING TRIGGER dbo.Order_DetailsTallixUpdate >>>'
GO

